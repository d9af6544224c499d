// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/description_json.h"

#include "design/compact_layout.h"
#include "design/cube_drawing.h"
#include "design/installer_texts.h"
#include "design/messages.h"
#include "design/window_design.h"

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string_view>

namespace trezolin::design {

namespace {

// A small writer for the few shapes the description has; it puts the commas.
class Json {
public:
    Json& Begin(char bracket)
    {
        Separate();
        out_ += bracket;
        first_ = true;
        return *this;
    }
    Json& End(char bracket)
    {
        out_ += bracket;
        first_ = false;
        return *this;
    }
    Json& Key(std::string_view key)
    {
        String(key);
        out_ += ':';
        first_ = true;  // the value that follows needs no comma
        return *this;
    }
    Json& String(std::string_view text)
    {
        Separate();
        out_ += '"';
        for (const char c : text) {
            switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out_ += escaped;
                } else {
                    out_ += c;  // UTF-8 passes through as it is
                }
            }
        }
        out_ += '"';
        return *this;
    }
    Json& Number(int value)
    {
        Separate();
        out_ += std::to_string(value);
        return *this;
    }
    Json& Null()
    {
        Separate();
        out_ += "null";
        return *this;
    }
    Json& Bool(bool value)
    {
        Separate();
        out_ += value ? "true" : "false";
        return *this;
    }
    Json& Numbers(std::initializer_list<int> values)
    {
        Begin('[');
        for (const int v : values)
            Number(v);
        return End(']');
    }
    Json& Strings(std::span<const std::string_view> texts)
    {
        Begin('[');
        for (const std::string_view t : texts)
            String(t);
        return End(']');
    }

    std::string Take() { return std::move(out_); }

private:
    void Separate()
    {
        if (!first_)
            out_ += ',';
        first_ = false;
    }

    std::string out_;
    bool first_ = true;
};

std::string_view SystemColourName(SystemColour colour)
{
    switch (colour) {
    case SystemColour::Window: return "Window";
    case SystemColour::WindowText: return "WindowText";
    case SystemColour::ButtonFace: return "ButtonFace";
    case SystemColour::ButtonText: return "ButtonText";
    case SystemColour::None: break;
    }
    return "";
}

std::string_view RoleName(Role role)
{
    switch (role) {
    case Role::FirstCubeVertex: return "firstCubeVertex";
    case Role::SecondCubeVertex: return "secondCubeVertex";
    case Role::Log: return "log";
    case Role::SpareTextBox: return "spareTextBox";
    case Role::MethodList: return "methodList";
    case Role::PreviousValues: return "previousValues";
    case Role::CurrentValues: return "currentValues";
    case Role::StartButton: return "startButton";
    case Role::CheckButton: return "checkButton";
    case Role::Caption: return "caption";
    case Role::Picture: return "picture";
    }
    return "";
}

std::string_view WidgetName(Widget widget)
{
    switch (widget) {
    case Widget::VertexBox: return "vertexBox";
    case Widget::LogBox: return "logBox";
    case Widget::ChoiceList: return "choiceList";
    case Widget::HiddenList: return "hiddenList";
    case Widget::HiddenText: return "hiddenText";
    case Widget::Button: return "button";
    case Widget::Caption: return "caption";
    case Widget::Picture: return "picture";
    }
    return "";
}

void WriteColour(Json& json, const Colour& colour)
{
    json.Begin('{');
    if (colour.system == SystemColour::None)
        json.Key("rgb").Numbers({colour.red, colour.green, colour.blue});
    else
        json.Key("system").String(SystemColourName(colour.system));
    json.End('}');
}

void WriteRect(Json& json, const Rect& r)
{
    json.Numbers({r.left, r.top, r.width, r.height});
}

void WriteControl(Json& json, const Control& c)
{
    json.Begin('{');
    json.Key("name").String(c.Name());
    json.Key("array").String(c.array);
    json.Key("index").Number(c.index);
    json.Key("role").String(RoleName(c.role));
    json.Key("widget").String(WidgetName(WidgetOf(c.role)));
    json.Key("twips");
    WriteRect(json, c.place);
    json.Key("pixels");
    WriteRect(json, ToPixels(c.place));
    // Its place in the column where the window does not fit the width; null when never shown.
    json.Key("compact");
    if (const auto compact = CompactPlace(c))
        WriteRect(json, ToPixels(*compact));
    else
        json.Null();
    json.Key("tabIndex").Number(c.tabIndex);
    json.Key("text").String(c.text);
    json.Key("tooltip").String(c.tooltip);
    json.Key("background");
    WriteColour(json, c.background);
    json.Key("foreground");
    WriteColour(json, c.foreground);
    json.Key("centred").Bool(c.alignment == Alignment::Centre);
    json.Key("visible").Bool(c.visible);
    json.Key("entries").Strings(c.entries);
    // Empty: the caption is the name, the tooltip the description.
    json.Key("accessibleName").String(c.accessibleName);
    json.Key("accessibleDescription").String(c.accessibleDescription);
    json.End('}');
}

void WriteDrawing(Json& json)
{
    json.Begin('{');
    json.Key("width").Number(kDrawingWidth);
    json.Key("height").Number(kDrawingHeight);
    json.Key("corners").Begin('[');
    for (const Point& p : kCorners)
        json.Numbers({p.x, p.y});
    json.End(']');
    json.Key("edges").Begin('[');
    for (const Edge& e : kEdges) {
        json.Begin('{');
        json.Key("from").Number(e.from);
        json.Key("to").Number(e.to);
        json.Key("dashed").Bool(e.dashed);
        json.End('}');
    }
    json.End(']');
    json.Key("dashLength").Number(kDashLength);
    json.Key("dashGap").Number(kDashGap);
    json.End('}');
}

} // namespace

std::string DescriptionJson()
{
    Json json;
    json.Begin('{');
    json.Key("twipsPerPixel").Number(kTwipsPerPixel);

    const Window& w = kWindow;
    json.Key("window").Begin('{');
    json.Key("title").String(w.title);
    json.Key("twips").Numbers({w.clientWidth, w.clientHeight});
    json.Key("pixels").Numbers({w.clientWidth / kTwipsPerPixel, w.clientHeight / kTwipsPerPixel});
    json.Key("background");
    WriteColour(json, w.background);
    json.Key("fontFamily").String(w.fontFamily);
    json.Key("fontPoints").Number(w.fontPoints);
    json.Key("fontWeight").Number(w.fontWeight);
    json.Key("firstFocus").String(FirstInTabOrder().Name());
    json.End('}');

    // The column, in pixels: its size, and how far down the part that one
    // screen shows whole reaches.
    json.Key("compact").Begin('{');
    json.Key("pixels").Numbers({kCompact.width / kTwipsPerPixel, kCompact.height / kTwipsPerPixel});
    json.Key("firstScreen").Number(kCompact.firstScreen / kTwipsPerPixel);
    json.End('}');
    json.Key("minimumTarget").Number(kMinimumTargetPixels);
    json.Key("listFrame").Number(kListFramePixels);

    json.Key("controls").Begin('[');
    for (const Control& c : kControls)
        WriteControl(json, c);
    json.End(']');

    json.Key("drawing");
    WriteDrawing(json);

    json.Key("messages").Begin('{');
    for (const ErrorKind kind : {ErrorKind::Overflow, ErrorKind::FloatingPoint, ErrorKind::Unexpected})
        json.Key(ErrorKindName(kind)).String(ErrorMessage(kind));
    json.End('}');

    // What a screen reader hears after a start; the lesson fills it in.
    json.Key("announcements").Begin('{');
    json.Key("start").String(kStartAnnouncement);
    json.Key("valueSeparator").String(kAnnouncedValueSeparator);
    json.End('}');

    // The installer's texts, for the build of the Windows installer.
    json.Key("installer").Begin('{');
    json.Key("legalCopyright").String(kLegalCopyright);
    json.Key("comment").String(kInstallerComment);
    json.Key("downgradeMessage").String(kDowngradeMessage);
    json.End('}');

    json.End('}');
    return json.Take();
}

} // namespace trezolin::design
