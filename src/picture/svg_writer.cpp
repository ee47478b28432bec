#include "picture/svg_writer.h"

#include <cstdio>

#include "picture/picture_font.h"

namespace gd {

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string out = text;
    if (out.size() > 2 && out.compare(out.size() - 2, 2, ".0") == 0) {
        out.resize(out.size() - 2);
    }
    return out;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string EscapedText(const std::string& ansi) {
    std::string out;
    for (char c : ansi) {
        const std::uint16_t code = FindGlyph(c).codePoint;
        switch (code) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                AppendUtf8(out, code);
        }
    }
    return out;
}

std::string Points(const PictureStroke& stroke) {
    std::string out;
    for (const PicturePoint& p : stroke.points) {
        if (!out.empty()) {
            out += ' ';
        }
        out += Number(p.x) + ',' + Number(p.y);
    }
    return out;
}

const char* AnchorName(TextAnchor anchor) {
    switch (anchor) {
        case TextAnchor::Middle:
            return "middle";
        case TextAnchor::End:
            return "end";
        case TextAnchor::Start:
            break;
    }
    return "start";
}

}  // namespace

std::string PictureToSvg(const Picture& picture) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Number(kCardWidth / 10) + "mm\" height=\"" + Number(kCardHeight / 10) +
        "mm\" viewBox=\"0 0 " + Number(kCardWidth) + ' ' + Number(kCardHeight) + "\">\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    out += "<g fill=\"none\" stroke=\"#000\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    for (const PictureStroke& stroke : picture.strokes) {
        out += std::string(stroke.closed ? "<polygon" : "<polyline") + " stroke-width=\"" +
               Number(stroke.width) + "\" points=\"" + Points(stroke) + "\"/>\n";
    }
    out += "</g>\n<g fill=\"#000\">\n";
    for (const PictureFill& fill : picture.fills) {
        out += "<rect x=\"" + Number(fill.x) + "\" y=\"" + Number(fill.y) + "\" width=\"" +
               Number(fill.width) + "\" height=\"" + Number(fill.height) + "\"/>\n";
    }
    out += "</g>\n<g font-family=\"DejaVu Sans, Verdana, sans-serif\" font-weight=\"bold\">\n";
    for (const PictureText& text : picture.texts) {
        out += "<text x=\"" + Number(text.x) + "\" y=\"" + Number(text.baseline) +
               "\" font-size=\"" + Number(text.size) + "\" text-anchor=\"" +
               AnchorName(text.anchor) + "\"" + (text.white ? " fill=\"#fff\"" : "") +
               " xml:space=\"preserve\">" + EscapedText(text.ansi) + "</text>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace gd
