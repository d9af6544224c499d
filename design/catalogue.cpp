// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/catalogue.h"

#include "core/change.h"  // kLogHeader: pupils read it in every log line
#include "design/help_text.h"
#include "design/installer_texts.h"
#include "design/messages.h"
#include "design/names.h"
#include "design/page.h"
#include "design/window_design.h"

#include <algorithm>
#include <array>

namespace trezolin::design {

namespace {

// Never translated: the program's name.
constexpr std::string_view kProgramName = "Trezolin";

// Adds a text under its context, or, when the same text is already listed,
// tells its first entry where else it stands: a translator translates it once.
void Add(std::vector<CatalogueEntry>& entries, std::string context, std::string_view text, std::string note = {})
{
    if (text.empty() || text == kProgramName)
        return;
    const auto same =
        std::find_if(entries.begin(), entries.end(), [&](const CatalogueEntry& e) { return e.text == text; });
    if (same != entries.end()) {
        same->note += (same->note.empty() ? "" : " ") + std::string("Also ") + context + ".";
        return;
    }
    const bool placeholder = text.find("{}") != std::string_view::npos;
    if (placeholder)
        note += (note.empty() ? "" : " ") + std::string("Keep \"{}\": it stands for a value filled in when shown.");
    entries.push_back({std::move(context), text, std::move(note), placeholder});
}

// How much room a caption has: its width at 12-point Times New Roman.
std::string Room(const Control& c)
{
    return "Must fit in " + std::to_string(ToPixels(c.place).width) +
           " pixels at 12-point Times New Roman: no longer than the Bulgarian.";
}

// In tab order, which is near the order the window is read in: the first
// cube, the second, the buttons and the list, the log, the labels.
void AddControls(std::vector<CatalogueEntry>& entries)
{
    std::vector<const Control*> controls;
    for (const Control& c : kControls)
        controls.push_back(&c);
    std::sort(controls.begin(), controls.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (const Control* control : controls) {
        const Control& c = *control;
        const std::string name = c.Name();
        // A box's text is a vertex letter, which stays; a list's entries are
        // the method names, which stay too.
        if (WidgetOf(c.role) == Widget::Button || WidgetOf(c.role) == Widget::Caption)
            Add(entries, name + " caption", c.text, Room(c));
        Add(entries, name + " tooltip", c.tooltip);
        Add(entries, name + " accessible name", c.accessibleName, "Read out by a screen reader.");
        Add(entries, name + " accessible description", c.accessibleDescription, "Read out by a screen reader.");
    }
}

void AddHelpText(std::vector<CatalogueEntry>& entries)
{
    const std::string& help = HelpText();
    std::size_t begin = 0;
    for (int line = 1; begin < help.size(); ++line) {
        const std::size_t end = help.find("\r\n", begin);
        const std::string_view text = std::string_view(help).substr(begin, end - begin);
        Add(entries, "help line " + std::to_string(line), text,
            "The task shown in the log before the first start. Keep the vertex letters, numbers, "
            "formulas and their spacing exactly; translate the words.");
        begin = end + 2;
    }
}

void AddMessages(std::vector<CatalogueEntry>& entries)
{
    for (const auto& kind : kErrorKindNames)
        Add(entries, "message " + std::string(kind.name), ErrorMessage(kind.value),
            "An error message box's sentence.");
    Add(entries, "message button", kMessageButton, "The error message box's one button.");
    Add(entries, "load failure", kLoadFailure, "The page's sentence when the browser cannot run the program.");
    Add(entries, "start announcement", kStartAnnouncement,
        "Said by a screen reader after a start; \"{}\" is the eight start values.");
    Add(entries, "log header", kLogHeader,
        "Begins every log line, followed by the change's number, a colon and the eight values.");
}

// What the Windows installer and program files and the page say beside the window.
void AddProductTexts(std::vector<CatalogueEntry>& entries)
{
    Add(entries, "installer comment", kInstallerComment,
        "What the list of installed programs and the Start menu entry say of the program.");
    Add(entries, "installer downgrade", kDowngradeMessage,
        "Why an older installer stops where a newer version is installed.");
    Add(entries, "legal copyright", kLegalCopyright, "The Windows program's copyright line; keep the names and the year.");
    Add(entries, "page needs script", kPageNeedsScript, "Shown by the page where the browser runs no scripts.");
    Add(entries, "page licence", kPageLicence, "Under the page's window, after the program's name and version.");
    Add(entries, "page language label", kPageLanguageLabel,
        "The label of the page's language chooser, under the window: one short word.");
}

// A text as a PO string: quotes, backslashes and control characters escaped.
std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += ch;
        }
    }
    return out + "\"";
}

} // namespace

std::vector<CatalogueEntry> CatalogueEntries()
{
    // One list: each source of texts adds its own in the order a reader meets them.
    std::vector<CatalogueEntry> entries;
    Add(entries, "language name", "Български",
        "The name of this catalogue's language in itself, as the language chooser lists it: "
        "English, Українська, Türkçe.");
    AddControls(entries);
    AddHelpText(entries);
    AddMessages(entries);
    AddProductTexts(entries);
    return entries;
}

std::string PotFile(const std::vector<CatalogueEntry>& entries)
{
    std::string pot =
        "# The texts of Trezolin, for translators. Made by the build from the\n"
        "# window's description: never edit by hand.\n"
        "# SPDX-FileCopyrightText: 2026 The Trezolin developers\n"
        "# SPDX-License-Identifier: GPL-3.0-or-later\n"
        "#\n"
        "#, fuzzy\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Project-Id-Version: Trezolin\\n\"\n"
        "\"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n\"\n"
        "\"Last-Translator: FULL NAME <EMAIL@ADDRESS>\\n\"\n"
        "\"Language-Team: LANGUAGE <LL@li.org>\\n\"\n"
        "\"Language: \\n\"\n"
        "\"MIME-Version: 1.0\\n\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    for (const CatalogueEntry& e : entries) {
        pot += "\n";
        if (!e.note.empty())
            pot += "#. " + e.note + "\n";
        if (e.placeholder)
            pot += "#, python-brace-format\n";
        pot += "msgctxt " + Quoted(e.context) + "\n";
        pot += "msgid " + Quoted(e.text) + "\n";
        pot += "msgstr \"\"\n";
    }
    return pot;
}

} // namespace trezolin::design
