#include "export/dxf.h"
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <memory>
#include <stdexcept>
#include <dxflib/dl_dxf.h>
#include "files/paths.h"
#include "text.h"

namespace host::exporter {
namespace {

// An edge of a colour of its own takes the nearest of AutoCAD's seven basic colours; the rest are by layer.
int aci(int rgb) {
    if (rgb < 0) return 256;
    static const int basics[7][3] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {0, 0, 255}, {255, 0, 255}, {255, 255, 255}};
    const int r = rgb >> 16 & 255, g = rgb >> 8 & 255, b = rgb & 255;
    int best = 7;
    long bestDistance = -1;
    for (int i = 0; i < 7; ++i) {
        long dr = r - basics[i][0], dg = g - basics[i][1], db = b - basics[i][2];
        long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) best = i + 1, bestDistance = distance;
    }
    return best;
}

// dxflib's file writer flushes the file after every number, and a sheet has tens of thousands: a
// system call each. This one writes the same text into memory, and the file whole at the end.
class BufferedWriter : public DL_WriterA {
public:
    explicit BufferedWriter(DL_Codes::version v) : DL_WriterA("/dev/null", v) {}
    void dxfReal(int gc, double value) const override {
        // The shortest decimal that reads back as the same number, never in exponent form, with one
        // digit after the point at the least. Exact fixed-point printing was most of a sheet's writing.
        char str[400];
        if (version == DL_Codes::AC1009_MIN) {
            std::snprintf(str, sizeof str, "%.6f", value);
        } else {
            const auto [end, ec] = std::to_chars(str, str + sizeof str - 3, value, std::chars_format::fixed);
            *end = '\0';
            if (ec != std::errc()) std::snprintf(str, sizeof str, "%.6f", value);
        }
        if (!std::strchr(str, '.') && !std::strchr(str, 'n') && !std::strchr(str, 'i')) std::strcat(str, ".0");
        trimZeros(str);
        dxfString(gc, str);
    }
    // No trailing zeros, but one digit after the point.
    static void trimZeros(char* str) {
        const char* dot = std::strchr(str, '.');
        if (!dot) return;
        size_t end = static_cast<size_t>(dot - str) + 2;
        for (size_t i = end; str[i]; ++i)
            if (str[i] != '0') end = i + 1;
        if (end < std::strlen(str)) str[end] = '\0';
    }
    void dxfInt(int gc, int value) const override { line(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        char str[12];
        std::snprintf(str, sizeof str, "%0X", value);
        dxfString(gc, str);
    }
    void dxfString(int gc, const char* value) const override { line(gc, value); }
    void dxfString(int gc, const std::string& value) const override { line(gc, value); }
    void close() const {}
    const std::string& text() const { return text_; }

private:
    mutable std::string text_;
    void line(int gc, std::string_view value) const {
        text_ += gc < 10 ? "  " : gc < 100 ? " " : "";
        text_ += std::to_string(gc);
        text_ += '\n';
        text_ += value;
        text_ += '\n';
    }
};

DL_Attributes on(const std::string& layer, int rgb = -1) { return DL_Attributes(layer, aci(rgb), -1, "BYLAYER", 1.0); }

}  // namespace

void dxf(const draft::Drawing& d, const std::string& path) {
    DL_Dxf out;
    BufferedWriter dw(DL_Codes::AC1015);
    out.writeHeader(dw);
    // Texts are GBK, and the file says so.
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_936");
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4);  // millimetres
    dw.dxfString(9, "$EXTMIN");
    dw.coord(10, 0, 0, 0);
    dw.dxfString(9, "$EXTMAX");
    dw.coord(10, d.width, d.height, 0);
    dw.sectionEnd();

    dw.sectionTables();
    out.writeVPort(dw);
    double dashes[2] = {3.0, -1.5};
    dw.tableLinetypes(4);
    out.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    out.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    out.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    out.writeLinetype(dw, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 4.5, dashes));
    dw.tableEnd();
    struct Layer { const char* name; int color; int width; const char* linetype; };
    const Layer layers[] = {{"0", 7, -3, "CONTINUOUS"}, {"FRAME", 7, 50, "CONTINUOUS"}, {"TITLE", 7, 25, "CONTINUOUS"},
                            {"VISIBLE", 7, 35, "CONTINUOUS"}, {"HIDDEN", 8, 18, "DASHED"}};
    dw.tableLayers(5);
    for (const Layer& l : layers) out.writeLayer(dw, DL_LayerData(l.name, 0), DL_Attributes("", l.color, l.width, l.linetype, 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    out.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 0.8, 0.0, 0, 2.5, "gbcbig.shx", ""));
    dw.tableEnd();
    out.writeView(dw);
    out.writeUcs(dw);
    dw.tableAppid(1);
    out.writeAppid(dw, "ACAD");
    dw.tableEnd();
    out.writeDimStyle(dw, 2.5, 1.25, 0.625, 0.625, 2.5);
    out.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    out.writeBlock(dw, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    out.writeEndBlock(dw, "*Model_Space");
    out.writeBlock(dw, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    out.writeEndBlock(dw, "*Paper_Space");
    out.writeBlock(dw, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    out.writeEndBlock(dw, "*Paper_Space0");
    dw.sectionEnd();

    dw.sectionEntities();
    for (const auto& p : d.paths) {
        const size_t n = p.xy.size() / 2;
        if (n < 2) continue;
        if (n == 2) {
            out.writeLine(dw, DL_LineData(p.xy[0], p.xy[1], 0, p.xy[2], p.xy[3], 0), on(p.layer, p.rgb));
            continue;
        }
        out.writePolyline(dw, DL_PolylineData(static_cast<int>(n), 0, 0, 0), on(p.layer, p.rgb));
        for (size_t i = 0; i < n; ++i) out.writeVertex(dw, DL_VertexData(p.xy[2 * i], p.xy[2 * i + 1], 0, 0));
        out.writePolylineEnd(dw);
    }
    for (const auto& a : d.arcs) {
        if (a.full) out.writeCircle(dw, DL_CircleData(a.cx, a.cy, 0, a.r), on(a.layer, a.rgb));
        else out.writeArc(dw, DL_ArcData(a.cx, a.cy, 0, a.r, a.a1, a.a2), on(a.layer, a.rgb));
    }
    for (const auto& t : d.texts) {
        // Centred on its point, as the render places it (justification middle centre).
        std::string gbk = text::toGbkLossy(t.utf8);
        out.writeText(dw, DL_TextData(t.x, t.y, 0, t.x, t.y, 0, t.height, 1.0, 0, 1, 2, gbk, "Standard", 0.0), on(t.layer));
    }
    dw.sectionEnd();
    out.writeObjects(dw);
    out.writeObjectsEnd(dw);
    dw.dxfEOF();
    paths::writeWhole(path, dw.text());
}

}  // namespace host::exporter
