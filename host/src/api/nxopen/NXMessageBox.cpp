// The message box tells the transcript and answers as the scripted user does.
#include "NXOpen/NXMessageBox.hxx"
#include "model/session.h"
#include "text.h"

using namespace NXOpen;

int NXMessageBox::Show(const NXString& title, DialogType type, const NXString& message) {
    static const char* kinds[] = {"error", "warning", "information", "question"};
    host::Session& s = host::session();
    s.lastMessage = host::text::toUtf8Lossy(message.GetText());
    if (type == DialogTypeError) ++s.errorBoxes;
    s.say("[message] " + host::text::toUtf8Lossy(title.GetText()) + " (" + kinds[type] + "): " + s.lastMessage);
    return 1;
}
