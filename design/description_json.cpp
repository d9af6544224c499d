// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/description_json.h"

#include "design/compact_layout.h"
#include "design/cube_drawing.h"
#include "design/catalogue_table.h"
#include "design/installer_texts.h"
#include "design/languages.h"
#include "design/messages.h"
#include "design/names.h"
#include "design/page.h"
#include "design/product.h"
#include "design/window_design.h"

#include <nlohmann/json.hpp>

#include <span>
#include <string>
#include <string_view>

namespace trezolin::design {

namespace {

// Keys stay in the order written, so that a reader of the file finds each
// control's name first.
using Json = nlohmann::ordered_json;

Json Text(std::string_view text)
{
    return std::string(text);
}

Json ColourJson(const Colour& colour)
{
    if (colour.system == SystemColour::None)
        return {{"rgb", {colour.red, colour.green, colour.blue}}};
    return {{"system", Text(SystemColourName(colour.system))}};
}

Json Place(const Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

Json Strings(std::span<const std::string_view> texts)
{
    Json out = Json::array();
    for (const std::string_view t : texts)
        out.push_back(Text(t));
    return out;
}

Json ControlJson(const Control& c)
{
    const auto compact = CompactPlace(c);
    return {
        {"name", c.Name()},
        {"array", Text(c.array)},
        {"index", c.index},
        {"role", Text(RoleName(c.role))},
        {"widget", Text(WidgetName(WidgetOf(c.role)))},
        {"twips", Place(c.place)},
        {"pixels", Place(ToPixels(c.place))},
        // Its place in the column where the window does not fit the width; null when never shown.
        {"compact", compact ? Place(ToPixels(*compact)) : Json(nullptr)},
        {"tabIndex", c.tabIndex},
        {"text", Text(c.text)},
        {"tooltip", Text(c.tooltip)},
        {"background", ColourJson(c.background)},
        {"foreground", ColourJson(c.foreground)},
        {"centred", c.alignment == Alignment::Centre},
        {"visible", c.visible},
        {"entries", Strings(c.entries)},
        // Empty: the caption is the name, the tooltip the description.
        {"accessibleName", Text(c.accessibleName)},
        {"accessibleDescription", Text(c.accessibleDescription)},
        // What a screen reader reads as its name, and whether it takes the focus.
        {"spokenName", Text(c.SpokenName())},
        {"takesFocus", c.TakesFocus()},
    };
}

Json Drawing()
{
    Json corners = Json::array();
    for (const Point& p : kCorners)
        corners.push_back({p.x, p.y});
    Json edges = Json::array();
    for (const Edge& e : kEdges)
        edges.push_back({{"from", e.from}, {"to", e.to}, {"dashed", e.dashed}});
    return {
        {"width", kDrawingWidth},   {"height", kDrawingHeight}, {"corners", corners},
        {"edges", edges},           {"dashLength", kDashLength}, {"dashGap", kDashGap},
    };
}

Json TabOrderNames(Arrangement arrangement)
{
    Json names = Json::array();
    for (const std::size_t row : TabOrder(arrangement))
        names.push_back(kControls[row].Name());
    return names;
}

Json WindowJson()
{
    const Window& w = kWindow;
    return {
        {"title", Text(w.title)},
        {"twips", {w.clientWidth, w.clientHeight}},
        {"pixels", {w.clientWidth / kTwipsPerPixel, w.clientHeight / kTwipsPerPixel}},
        {"background", ColourJson(w.background)},
        {"fontFamily", Text(w.fontFamily)},
        {"fontPoints", w.fontPoints},
        {"fontWeight", w.fontWeight},
        {"firstFocus", FirstInTabOrder().Name()},
        // The controls Tab visits, in order, in each arrangement.
        {"tabOrder", {{"designed", TabOrderNames(Arrangement::Designed)}, {"compact", TabOrderNames(Arrangement::Compact)}}},
    };
}

// Each colour role's value in the classic light scheme, for a shell that has no desktop scheme to ask.
Json ClassicColours()
{
    Json colours = Json::object();
    for (const Named<SystemColour>& role : kSystemColourNames) {
        const Colour c = ClassicColour(role.value);
        colours[std::string(role.name)] = {c.red, c.green, c.blue};
    }
    return colours;
}

// What only the page shows beyond the window, and where it shows the window as designed.
Json PageJson()
{
    Json colours = Json::array();
    for (const PageColour& c : kPageColours)
        colours.push_back({{"name", Text(c.name)},
                           {"rgb", {c.colour.red, c.colour.green, c.colour.blue}},
                           {"opacity", c.opacityPercent}});
    return {
        {"needsScript", Text(kPageNeedsScript)},
        {"licence", Text(kPageLicence)},
        {"languageLabel", Text(kPageLanguageLabel)},
        {"fontFallbacks", Strings(kPageFontFallbacks)},
        {"designedFrom", kPageDesignedFromPixels},
        {"colours", colours},
    };
}

// Each language named in itself, with its catalogue: every Bulgarian text of
// the description and its translation (none for Bulgarian itself). A reader
// shows a text in a language by looking it up there, or else as it stands.
Json LanguagesJson()
{
    Json languages = Json::array();
    const auto tables = CatalogueTables();
    for (std::size_t i = 0; i < Languages().size(); ++i) {
        Json translations = Json::object();
        if (i > 0)
            for (const Translation& t : tables[i - 1].translations)
                translations[std::string(t.source)] = Text(t.text);
        languages.push_back(
            {{"code", Text(Languages()[i].code)}, {"name", Text(Languages()[i].name)}, {"translations", translations}});
    }
    return languages;
}

} // namespace

std::string DescriptionJson()
{
    Json controls = Json::array();
    for (const Control& c : kControls)
        controls.push_back(ControlJson(c));

    Json messages = Json::object();
    for (const Named<ErrorKind>& kind : kErrorKindNames)
        messages[std::string(kind.name)] = Text(ErrorMessage(kind.value));
    messages["button"] = Text(kMessageButton);
    messages["loadFailure"] = Text(kLoadFailure);

    const Json description = {
        {"twipsPerPixel", kTwipsPerPixel},
        {"twipsPerInch", kTwipsPerInch},
        {"desktopId", Text(kDesktopId)},
        {"iconSizes", kIconSizes},
        {"classicColours", ClassicColours()},
        {"window", WindowJson()},
        // The column, in pixels: its size, and how far down the part that one
        // screen shows whole reaches.
        {"compact",
         {{"pixels", {kCompact.width / kTwipsPerPixel, kCompact.height / kTwipsPerPixel}},
          {"firstScreen", kCompact.firstScreen / kTwipsPerPixel}}},
        {"minimumTarget", kMinimumTargetPixels},
        {"listFrame", kListFramePixels},
        {"controls", controls},
        {"drawing", Drawing()},
        {"messages", messages},
        // What a screen reader hears after a start; the lesson fills it in.
        {"announcements",
         {{"start", Text(kStartAnnouncement)}, {"valueSeparator", Text(kAnnouncedValueSeparator)}}},
        {"page", PageJson()},
        // The texts of the Windows installer, for its build.
        {"installer",
         {{"legalCopyright", Text(kLegalCopyright)},
          {"comment", Text(kInstallerComment)},
          {"downgradeMessage", Text(kDowngradeMessage)}}},
        {"languages", LanguagesJson()},
    };
    return description.dump();
}

} // namespace trezolin::design
