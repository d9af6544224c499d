// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/catalogue.h"

#include "core/change.h"
#include "design/help_text.h"
#include "design/installer_texts.h"
#include "design/messages.h"
#include "design/page.h"
#include "design/window_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace trezolin::design {
namespace {

bool Listed(const std::vector<CatalogueEntry>& entries, std::string_view text)
{
    return std::any_of(entries.begin(), entries.end(), [&](const CatalogueEntry& e) { return e.text == text; });
}

TEST(CatalogueTest, EveryTextOfTheWindowIsListedButNamesLettersAndMethods)
{
    const auto entries = CatalogueEntries();
    for (const Control& c : kControls) {
        const bool caption = WidgetOf(c.role) == Widget::Button || WidgetOf(c.role) == Widget::Caption;
        for (const std::string_view text : {caption ? c.text : std::string_view(), c.tooltip, c.accessibleName,
                                            c.accessibleDescription}) {
            if (!text.empty() && text != kWindow.title) {
                EXPECT_TRUE(Listed(entries, text)) << c.Name() << ": " << text;
            }
        }
    }
    for (const std::string_view kept : {"Trezolin", "A", "H", "Round", "Int", "Fix"})
        EXPECT_FALSE(Listed(entries, kept)) << kept;
    for (const std::string_view text : {ErrorMessage(ErrorKind::Overflow), ErrorMessage(ErrorKind::FloatingPoint),
                                        ErrorMessage(ErrorKind::Unexpected), kMessageButton, kLoadFailure,
                                        kStartAnnouncement, kLogHeader, kInstallerComment, kDowngradeMessage,
                                        kLegalCopyright, kPageNeedsScript, kPageLicence})
        EXPECT_TRUE(Listed(entries, text)) << text;
}

TEST(CatalogueTest, HelpLinesInOrderMakeTheHelpText)
{
    std::string joined;
    int lines = 0;
    for (const CatalogueEntry& e : CatalogueEntries())
        if (e.context == "help line " + std::to_string(lines + 1)) {
            joined += std::string(e.text) + "\r\n";
            ++lines;
        }
    EXPECT_EQ(lines, 29);
    EXPECT_EQ(joined, HelpText());
}

TEST(CatalogueTest, EachTextAndContextOnce)
{
    std::set<std::string> contexts;
    std::set<std::string_view> texts;
    for (const CatalogueEntry& e : CatalogueEntries()) {
        EXPECT_TRUE(contexts.insert(e.context).second) << e.context;
        EXPECT_TRUE(texts.insert(e.text).second) << e.text;
        EXPECT_EQ(e.placeholder, e.text.find("{}") != std::string_view::npos) << e.context;
    }
    // The drawing's description serves both pictures: one entry, which names the other place.
    const auto entries = CatalogueEntries();
    const auto drawing = std::find_if(entries.begin(), entries.end(), [](const CatalogueEntry& e) {
        return e.text == kControls[RowOf(*FindControl("Picture1", 0))].accessibleDescription;
    });
    ASSERT_NE(drawing, entries.end());
    EXPECT_NE(drawing->note.find("Also Picture1(1) accessible description."), std::string::npos) << drawing->note;
}

TEST(CatalogueTest, TemplateEscapesAndFlagsItsTexts)
{
    const std::string pot = PotFile({{"a \"b\"", "c\\d\r\n", "Say \"{}\".", true}});
    EXPECT_NE(pot.find("\"Content-Type: text/plain; charset=UTF-8\\n\"\n"), std::string::npos);
    EXPECT_NE(pot.find("\n#. Say \"{}\".\n#, python-brace-format\nmsgctxt \"a \\\"b\\\"\"\nmsgid \"c\\\\d\\r\\n\"\n"
                       "msgstr \"\"\n"),
              std::string::npos)
        << pot;
}

} // namespace
} // namespace trezolin::design
