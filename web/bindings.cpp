// The page's way into the computation: one session of the window's state,
// the two commands, and the window's description, as JavaScript values.
//
// One click of "Провери" on the page:
//   app.js: the check button's click -> session.command(1, selected method)
//     -> RunCommand: counts the change, ApplyChange computes the new values
//        and appends one log line; any error becomes the outcome's message
//     -> a plain object with the cubes, the hidden lists, the change count
//        and the log's new part, which app.js writes into the page.

#include "core/commands.h"
#include "design/cube_drawing.h"
#include "design/help_text.h"
#include "design/window_design.h"
#include "runtime/errors.h"
#include "runtime/random_source.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <string>
#include <string_view>

namespace trezolin::web {

namespace {

using emscripten::val;

val Text(std::string_view text)
{
    return val(std::string(text));
}

template <typename Range>
val Texts(const Range& texts)
{
    val array = val::array();
    for (const auto& text : texts)
        array.call<void>("push", Text(text));
    return array;
}

val ColourValue(const design::Colour& c)
{
    val colour = val::object();
    switch (c.system) {
    case design::SystemColour::None: {
        val rgb = val::array();
        for (int component : {c.red, c.green, c.blue})
            rgb.call<void>("push", component);
        colour.set("rgb", rgb);
        break;
    }
    case design::SystemColour::Window: colour.set("system", Text("Window")); break;
    case design::SystemColour::WindowText: colour.set("system", Text("WindowText")); break;
    case design::SystemColour::ButtonFace: colour.set("system", Text("ButtonFace")); break;
    case design::SystemColour::ButtonText: colour.set("system", Text("ButtonText")); break;
    }
    return colour;
}

const char* KindName(design::ControlKind kind)
{
    switch (kind) {
    case design::ControlKind::TextBox: return "TextBox";
    case design::ControlKind::ListBox: return "ListBox";
    case design::ControlKind::CommandButton: return "CommandButton";
    case design::ControlKind::Label: return "Label";
    case design::ControlKind::PictureBox: return "PictureBox";
    }
    return "";
}

val ControlValue(const design::Control& c)
{
    val control = val::object();
    control.set("array", Text(c.array));
    control.set("index", c.index);
    control.set("kind", val(KindName(c.kind)));
    control.set("left", c.left);
    control.set("top", c.top);
    control.set("width", c.width);
    control.set("height", c.height);
    control.set("tabIndex", c.tabIndex);
    control.set("text", Text(c.text));
    control.set("tooltip", Text(c.tooltip));
    control.set("background", ColourValue(c.background));
    control.set("foreground", ColourValue(c.foreground));
    control.set("centred", c.alignment == design::Alignment::Centre);
    control.set("visible", c.visible);
    control.set("locked", c.locked);
    control.set("multiLine", c.multiLine);
    control.set("showsHelpText", c.showsHelpText);
    control.set("entries", Texts(c.entries));
    control.set("accessibleName", Text(c.accessibleName));
    control.set("accessibleDescription", Text(c.accessibleDescription));
    return control;
}

val DrawingValue()
{
    val drawing = val::object();
    drawing.set("width", design::kDrawingWidth);
    drawing.set("height", design::kDrawingHeight);
    val corners = val::array();
    for (const design::Point& p : design::kCorners) {
        val corner = val::object();
        corner.set("x", p.x);
        corner.set("y", p.y);
        corners.call<void>("push", corner);
    }
    drawing.set("corners", corners);
    val edges = val::array();
    for (const design::Edge& e : design::kEdges) {
        val edge = val::object();
        edge.set("from", e.from);
        edge.set("to", e.to);
        edge.set("dashed", e.dashed);
        edges.call<void>("push", edge);
    }
    drawing.set("edges", edges);
    drawing.set("dashLength", design::kDashLength);
    drawing.set("dashGap", design::kDashGap);
    return drawing;
}

// The whole description, built once when the page starts.
val Design()
{
    const design::Window& w = design::kWindow;
    val window = val::object();
    window.set("title", Text(w.title));
    window.set("clientWidth", w.clientWidth);
    window.set("clientHeight", w.clientHeight);
    window.set("background", ColourValue(w.background));
    window.set("fontFamily", Text(w.fontFamily));
    window.set("fontPoints", w.fontPoints);
    window.set("fontWeight", w.fontWeight);

    val controls = val::array();
    for (const design::Control& c : design::kControls)
        controls.call<void>("push", ControlValue(c));

    val result = val::object();
    result.set("twipsPerPixel", design::kTwipsPerPixel);
    result.set("window", window);
    result.set("controls", controls);
    result.set("drawing", DrawingValue());
    result.set("unexpectedError", Text(kUnexpectedErrorMessage));
    return result;
}

} // namespace

// The window's state, as the desktop window keeps it, and the part of the
// log that the page shows already.
class Session {
public:
    Session() : random_(SeededRandomSource::FromClock())
    {
        for (int i = 0; i < kVertexCount; ++i)
            startTexts_[i] = design::FindControl("Wryh_N", i)->text;
        state_.log = design::HelpText();
    }

    // The state as the page shows it at load: the log is the help text.
    val View() { return Show(LogChange::Replaced); }

    // Runs button `index` ("Начало" 0, "Провери" 1) with the method at
    // position `method` of the list. Never throws: an error comes back as
    // the result's message, with the state as the command left it.
    val Command(int index, int method)
    {
        const CommandOutcome outcome =
            RunCommand(index, static_cast<RoundingMethod>(method), state_, startTexts_, random_);
        val result = Show(outcome.log);
        result.set("error", Text(outcome.error));
        return result;
    }

private:
    val Show(LogChange logChange)
    {
        val view = val::object();
        view.set("left", Texts(startTexts_));
        view.set("right", Texts(state_.vertexTexts));
        view.set("previous", Texts(state_.previousValues));
        view.set("current", Texts(state_.currentValues));
        view.set("changeCount", state_.changeCount);
        // A check only appends to the log; a start replaces it.
        const bool replaced = logChange == LogChange::Replaced;
        const std::size_t from = replaced ? 0 : shownLogSize_;
        view.set("logReplaced", replaced);
        view.set("log", Text(std::string_view(state_.log).substr(from)));
        shownLogSize_ = state_.log.size();
        return view;
    }

    CubeState state_;
    std::array<std::string, kVertexCount> startTexts_;
    SeededRandomSource random_;
    std::size_t shownLogSize_ = 0;
};

EMSCRIPTEN_BINDINGS(trezolin)
{
    emscripten::function("design", &Design);
    emscripten::class_<Session>("Session")
        .constructor<>()
        .function("view", &Session::View)
        .function("command", &Session::Command);
}

} // namespace trezolin::web
