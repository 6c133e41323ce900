// Dialog files, blocks and the scripted user; the journal language.
// Narrow literals are GBK, as the module sees text; files and transcripts are UTF-8 (u8"").
#include <fstream>
#include "NXOpen/BlockStyler_BlockDialog.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/TaggedObject.hxx"
#include "NXOpen/UI.hxx"
#include "files/paths.h"
#include "fixture.h"
#include "journal/journal.h"
#include "model/menu.h"
#include "ui/dialog.h"
#include "uf_obj.h"
#include "uf_ui.h"

namespace BS = NXOpen::BlockStyler;
using host::journal::JournalError;
using host::journal::Outcome;

namespace {

const char* kDialog = u8R"(<?xml version="1.0" encoding="UTF-8"?>
<dialog title="测试" buttons="apply cancel">
  <block id="group" kind="Group" label="组">
    <block id="mode" kind="Enumeration" label="模式">
      <member>部件</member><member>实体</member>
      <property name="Value" type="integer">1</property>
    </block>
    <block id="name" kind="StringBlock" label="名称"><property name="Value" type="string">默认</property></block>
  </block>
  <block id="hide" kind="Toggle" label="隐藏"/>
  <block id="pick" kind="SelectObject" label="选择"/>
  <block id="color" kind="ObjectColorPicker" label="颜色"><property name="Value" type="integer">36</property></block>
  <block id="folder" kind="FolderSelection" label="文件夹"/>
  <block id="go" kind="Button" label="执行"/>
</dialog>)";

}  // namespace

class DialogTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        host::session().baseDir = dir.string();
        std::filesystem::create_directories(dir / "application");
        std::ofstream(dir / "application" / "t.dlx") << kDialog;
    }
};

TEST_F(DialogTest, BlocksComeFromTheFileWithTheirKindsAndValues) {
    std::unique_ptr<BS::BlockDialog> d(NXOpen::UI::GetUI()->CreateDialog("t.dlx"));
    auto* top = d->TopBlock();
    auto* mode = dynamic_cast<BS::Enumeration*>(top->FindBlock("mode"));
    ASSERT_NE(nullptr, mode);
    EXPECT_EQ(std::string("实体"), mode->ValueAsString().GetText());
    auto* name = dynamic_cast<BS::StringBlock*>(top->FindBlock("name"));
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(std::string("默认"), name->Value().GetText());
    EXPECT_EQ(nullptr, top->FindBlock("nosuchblock"));
    EXPECT_EQ(nullptr, dynamic_cast<BS::Toggle*>(top->FindBlock("name")));
    auto* color = dynamic_cast<BS::ObjectColorPicker*>(top->FindBlock("color"));
    EXPECT_EQ(std::vector<int>{36}, color->GetValue());

    std::unique_ptr<BS::PropertyList> props(top->FindBlock("hide")->GetProperties());
    EXPECT_FALSE(props->GetLogical("Value"));
    EXPECT_THROW(props->GetString("Value"), NXOpen::NXException);
    EXPECT_THROW(props->GetLogical("NoSuchProperty"), NXOpen::NXException);
    std::unique_ptr<BS::PropertyList> modeProps(d->GetBlockProperties("mode"));
    EXPECT_THROW(modeProps->SetEnum("Value", 2), NXOpen::NXException);

    // Hiding a group hides what it holds.
    host::ui::Dialog probe((dir / "application" / "t.dlx").string());
    EXPECT_TRUE(probe.find("name")->shown());
    probe.find("group")->set("Show", false);
    EXPECT_FALSE(probe.find("name")->shown());
}

TEST_F(DialogTest, MissingOrBrokenDialogFilesThrowWithTheFileName) {
    EXPECT_THROW(NXOpen::UI::GetUI()->CreateDialog("nosuch.dlx"), NXOpen::NXException);
    std::ofstream(dir / "application" / "broken.dlx") << "<dialog><block id=\"a\" kind=\"Toggle\"";
    std::ofstream(dir / "application" / "odd.dlx") << "<dialog><block id=\"a\" kind=\"Wheel\"/></dialog>";
    std::ofstream(dir / "application" / "twice.dlx") << "<dialog><block id=\"a\" kind=\"Toggle\"/><block id=\"a\" kind=\"Button\"/></dialog>";
    for (const char* f : {"nosuch.dlx", "broken.dlx", "odd.dlx", "twice.dlx"}) {
        try {
            delete NXOpen::UI::GetUI()->CreateDialog(f);
            ADD_FAILURE() << f;
        } catch (const NXOpen::NXException& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(f)) << e.what();
        }
    }
}

TEST_F(DialogTest, UserActionsCheckWhatTheyAreGivenAndTellTheDialog) {
    host::ui::Dialog d((dir / "application" / "t.dlx").string());
    std::vector<std::string> updates;
    d.update = NXOpen::BlockStyler::BlockDialog::Update([&](BS::UIBlock* b) {
        updates.push_back(b->Name().GetText());
        return 0;
    });
    host::ui::setValue(d, "hide", "on");
    host::ui::setValue(d, "mode", "部件");
    host::ui::setValue(d, "mode", "1");
    host::ui::setValue(d, "folder", "/tmp/淺");
    host::ui::press(d, "go");
    EXPECT_EQ((std::vector<std::string>{"hide", "mode", "mode", "folder", "go"}), updates);
    EXPECT_EQ("on", host::ui::blockText(d, "hide"));
    EXPECT_EQ("1", host::ui::blockText(d, "mode"));
    EXPECT_EQ(u8"Z:\\tmp\\淺", host::ui::blockText(d, "folder"));
    EXPECT_THROW(host::ui::setValue(d, "hide", "maybe"), host::ui::UserError);
    EXPECT_THROW(host::ui::setValue(d, "mode", "2"), host::ui::UserError);
    EXPECT_THROW(host::ui::setValue(d, "mode", "圆"), host::ui::UserError);
    EXPECT_THROW(host::ui::setValue(d, "nosuch", "x"), host::ui::UserError);
    EXPECT_THROW(host::ui::press(d, "name"), host::ui::UserError);
    EXPECT_THROW(host::ui::pressOk(d), host::ui::UserError);  // the file gives Apply and Cancel only
    EXPECT_EQ(5u, updates.size());
}

TEST_F(DialogTest, PicksPassTheSelectionFilterAndTheFilterCallback) {
    host::Part& p = part("a.prt");
    tag_t a = plate(p, "a").tag, b = plate(p, "b").tag;
    tag_t view = host::session().create(p, UF_view_type, 0).tag;
    host::ui::Dialog d((dir / "application" / "t.dlx").string());
    std::unique_ptr<BS::PropertyList> props(d.find("pick")->ui->GetProperties());
    props->SetSelectionFilter("SelectionFilter", NXOpen::Selection::SelectionActionClearAndEnableSpecific,
                              {NXOpen::Selection::MaskTriple(UF_solid_type, 0, 36)});
    d.filter = NXOpen::BlockStyler::BlockDialog::Filter([&](BS::UIBlock*, NXOpen::TaggedObject* o) { return o->Tag() == b ? 0 : 1; });
    host::ui::pick(d, "pick", {a, b, view});
    auto picked = props->GetTaggedObjectVector("SelectedObjects");
    ASSERT_EQ(1u, picked.size());
    EXPECT_EQ(a, picked[0]->Tag());
    // A picked object that is deleted drops out of the selection.
    UF_OBJ_delete_object(a);
    EXPECT_TRUE(props->GetTaggedObjectVector("SelectedObjects").empty());
}

TEST(JournalParse, StatementsAndTheirErrorsWithLines) {
    auto st = host::journal::parse(u8"# job\n\nmenu attrV2  # pick\nset blockPartName \"底 板\\\"1\\\\\"\npick sel a b c\nexpect attr part REMARK \"\"\n", "j.vj");
    ASSERT_EQ(4u, st.size());
    EXPECT_EQ(3, st[0].line);
    EXPECT_EQ(std::vector<std::string>{"attrV2"}, st[0].args);
    EXPECT_EQ(u8"底 板\"1\\", st[1].args[1]);
    EXPECT_EQ(4u, st[2].args.size());
    EXPECT_EQ("", st[3].args[3]);

    struct Case { const char* text; int line; const char* message; } cases[] = {
        {"menu a\nfly away\n", 2, "unknown statement \"fly\""},
        {"set a\n", 1, "set takes 2 arguments, not 1"},
        {"apply now\n", 1, "apply takes 0 arguments"},
        {"\n\nset a \"open\n", 3, "a string is not closed"},
        {"set a \"x\\ty\"\n", 1, "unknown escape"},
        {"expect colour a 1\n", 1, "unknown expectation \"colour\""},
        {"expect attr a b\n", 1, "expect takes 4 arguments"},
        {"\nexpect\n", 2, "expect what?"},
    };
    for (auto& c : cases) {
        try {
            host::journal::parse(c.text, "j.vj");
            ADD_FAILURE() << c.text;
        } catch (const JournalError& e) {
            EXPECT_EQ(c.line, e.line) << c.text;
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.message)) << e.what();
        }
    }
}

class PlayerTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        host::menu().actions.clear();
        host::menu().actions.push_back({"probe", &PlayerTest::openDialog, nullptr});
        cancels = 0;
    }
    static UF_MB_cb_status_t openDialog(UF_MB_widget_t, UF_MB_data_t, UF_MB_activated_button_p_t) {
        std::unique_ptr<BS::BlockDialog> d(NXOpen::UI::GetUI()->CreateDialog("t.dlx"));
        d->AddCancelHandler(BS::BlockDialog::Cancel([] { ++cancels; return 0; }));
        d->Show();
        return UF_MB_CB_CONTINUE;
    }
    Outcome play(const std::string& text, std::string& failure) {
        std::string path = (dir / "job.vj").string();
        std::ofstream(path) << text;
        return host::journal::runFile(path, failure);
    }
    static int cancels;
};
int PlayerTest::cancels = 0;

TEST_F(PlayerTest, DialogsCloseWhenTheJournalMovesOnOrEnds) {
    std::string failure;
    EXPECT_EQ(Outcome::Done, play("menu probe\nset name abc\nexpect block name abc\nmenu probe\ncancel\nmenu probe\n", failure)) << failure;
    EXPECT_EQ(3, cancels);
    EXPECT_TRUE(said(u8"[dialog] 测试 (t.dlx) opened"));
}

TEST_F(PlayerTest, FailuresSayWhereAndWhat) {
    std::string job = (dir / "job.vj").string();
    struct Case { const char* text; Outcome outcome; std::string failure; } cases[] = {
        {"menu probe\nset nosuch 1\n", Outcome::Error, ":2: the dialog has no block nosuch"},
        {"menu nothing\n", Outcome::Error, ":1: no menu action \"nothing\""},
        {"menu probe\nset name abc\nexpect block name abd\n", Outcome::ExpectFailed, ":3: expected block \"abd\", found \"abc\""},
        {"apply\n", Outcome::Error, ":1: apply needs an open dialog"},
        {"open nosuch.prt\n", Outcome::Error, ":1: cannot open part file"},
        {"expect file nosuch.prt\n", Outcome::ExpectFailed, ":1: expected"},
        {"expect attr part REMARK x\n", Outcome::Error, ":1: no part is open"},
    };
    for (auto& c : cases) {
        std::string failure;
        EXPECT_EQ(c.outcome, play(c.text, failure)) << c.text;
        EXPECT_EQ(0u, failure.find(job + c.failure.substr(0, c.failure.find(' ')))) << failure;
        EXPECT_NE(std::string::npos, failure.find(c.failure.substr(c.failure.find(' ') + 1))) << failure;
    }
    // A journal that fails inside a dialog still closes it.
    EXPECT_EQ(2, cancels);
}

TEST_F(PlayerTest, ClassSelectionIsAnsweredInTurnByChoose) {
    static std::vector<std::pair<int, int>> answers;
    answers.clear();
    host::menu().actions.push_back({"select", [](UF_MB_widget_t, UF_MB_data_t, UF_MB_activated_button_p_t) {
        int response = 0, count = 0;
        tag_t* objects = nullptr;
        UF_initialize();
        UF_UI_select_with_class_dialog(const_cast<char*>("pick"), const_cast<char*>("bodies"), 0, nullptr, nullptr, &response, &count, &objects);
        UF_terminate();
        answers.push_back({response, count});
        UF_free(objects);
        return UF_MB_CB_CONTINUE;
    }, nullptr});
    std::ofstream(dir / "m.json") << R"({"file": "m.prt", "bodies": [{"name": "a", "stock": "block", "size": [1, 1, 1]},
                                        {"name": "b", "stock": "block", "size": [1, 1, 1]}]})";
    std::string failure;
    EXPECT_EQ(Outcome::Done, play("build m.json\nchoose a b\nchoose none\nmenu select\nmenu select\nmenu select\n", failure)) << failure;
    EXPECT_EQ((std::vector<std::pair<int, int>>{{UF_UI_OK, 2}, {UF_UI_CANCEL, 0}, {UF_UI_CANCEL, 0}}), answers);
}

TEST_F(PlayerTest, BodiesGoByTheirNumberAndBoxesAreCheckedToAHundredthOfAMillimetre) {
    std::ofstream(dir / "m.json") << R"({"file": "m.prt", "bodies": [{"name": "a", "stock": "block", "size": [10, 20, 30]},
                                        {"name": "b", "stock": "block", "size": [1, 1, 1], "at": [-5, 0, 100]}]})";
    std::string failure;
    EXPECT_EQ(Outcome::Done, play("build m.json\nexpect box a 0 0 0 10 20 30\nexpect box body:1 0 0 0 10 20 30\n"
                                  "expect box body:last -5 0 100 -4.005 1.009 101\nexpect missing body:3\n", failure)) << failure;
    struct Case { const char* text; Outcome outcome; const char* said; } cases[] = {
        {"expect box body:2 -5 0 100 -4 1 101.02\n", Outcome::ExpectFailed, "found -5 0 100 -4 1 101"},
        {"expect box body:3 0 0 0 1 1 1\n", Outcome::Error, "no body 3 in the work part (it holds 2)"},
        {"expect box body:0 0 0 0 1 1 1\n", Outcome::Error, "no body 0"},
        {"expect box part 0 0 0 1 1 1\n", Outcome::Error, "part is not a body"},
        {"expect box a 0 0 0 10 20 x\n", Outcome::Error, "a box coordinate"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.outcome, play(std::string("build m.json\n") + c.text, failure)) << c.text;
        EXPECT_NE(std::string::npos, failure.find(c.said)) << failure;
    }
}
