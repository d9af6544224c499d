// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's way into the program: the lesson's presenter, drawing through a
// JavaScript object of setters. The window's description is written into the
// page as data when it is put together.
//
// One click of the check button on the page:
//   app.js: the check button's click -> lesson.click(1)
//     -> Presenter::Click(1) -> Lesson::Do(the check, the method of the
//        chosen row, asked of the page with chosenRow())
//     -> the setters: setText for each changed vertex box, setEntry for each
//        renamed entry of the hidden lists, appendLog with the new line,
//        say(""), and showMessage on an error.

#include "design/languages.h"
#include "lesson/presenter.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trezolin::web {

namespace {

using emscripten::val;

val Text(std::string_view text)
{
    return val(std::string(text));
}

// The Screen of the page: each setter is a method of the object app.js
// supplies. A JavaScript exception would pass through the WebAssembly without
// unwinding it, past the presenter's recovery; so each setter catches its own
// failure and answers false, which becomes a C++ exception here.
class PageScreen final : public Screen {
public:
    explicit PageScreen(val setters) : setters_(std::move(setters)) {}

    void SetText(std::size_t row, std::string_view text) override { Call("setText", Row(row), Text(text)); }
    void SetEntries(std::size_t row, std::span<const std::string> entries) override
    {
        val array = val::array();
        for (const std::string& entry : entries)
            array.call<void>("push", val(entry));
        Call("setEntries", Row(row), array);
    }
    void SetEntry(std::size_t row, std::size_t entry, std::string_view text) override
    {
        Call("setEntry", Row(row), Row(entry), Text(text));
    }
    [[nodiscard]] int ChosenRow() const override
    {
        const val row = setters_.call<val>("chosenRow");
        if (!row.isNumber())
            throw std::runtime_error("the page could not say which method is chosen");
        return row.as<int>();
    }
    void Choose(int row) override { Call("choose", val(row)); }
    void ReplaceLog(std::string_view text) override { Call("replaceLog", Text(text)); }
    void AppendLog(std::string_view text) override { Call("appendLog", Text(text)); }
    void Say(std::string_view text) override { Call("say", Text(text)); }
    void ShowMessage(std::string_view title, std::string_view text) override
    {
        Call("showMessage", Text(title), Text(text));
    }
    // The page's log is a polite live region: it reads out each new line.
    [[nodiscard]] bool LogSaysNewLines() const override { return true; }

private:
    static val Row(std::size_t row) { return val(static_cast<double>(row)); }

    template <typename... Args>
    void Call(const char* setter, Args&&... args) const
    {
        if (!setters_.call<bool>(setter, std::forward<Args>(args)...))
            throw std::runtime_error(std::string("the page's setter failed: ") + setter);
    }

    val setters_;
};

} // namespace

// A language the page was not built with counts as Bulgarian.
design::LanguageId Known(int language)
{
    return language >= 0 && static_cast<std::size_t>(language) < design::Languages().size() ? language
                                                                                           : design::kBulgarian;
}

// The language a tag names (its place in the description's languages), or -1.
int FindLanguage(const std::string& tag)
{
    return design::FindLanguage(tag).value_or(-1);
}

// The first of the browser's languages that Trezolin speaks, else Bulgarian.
int PreferredLanguage(const val& tags)
{
    return design::PreferredLanguage(emscripten::vecFromJSArray<std::string>(tags));
}

// A Bulgarian text of the description in the language: the page's captions,
// tooltips, names and its own texts come from the one table the lesson uses.
std::string Translate(int language, const std::string& bulgarian)
{
    return std::string(design::Translate(Known(language), bulgarian));
}

// The lesson as the page holds it: one presenter on the page's screen.
class PageLesson {
public:
    PageLesson(val setters, int language)
        : screen_(std::move(setters)), presenter_(screen_, nullptr, Known(language))
    {
    }

    // Shows the load state whole.
    void Load() { presenter_.Load(); }

    // A click of the button Command1(index). Never throws.
    void Click(int index) { presenter_.Click(index); }

    // Goes on in another language: the run kept, the log re-labelled. Never throws.
    void SetLanguage(int language) { presenter_.SetLanguage(Known(language)); }

private:
    PageScreen screen_;
    Presenter presenter_;
};

EMSCRIPTEN_BINDINGS(trezolin)
{
    emscripten::class_<PageLesson>("Lesson")
        .constructor<val, int>()
        .function("load", &PageLesson::Load)
        .function("click", &PageLesson::Click)
        .function("setLanguage", &PageLesson::SetLanguage);
    emscripten::function("findLanguage", &FindLanguage);
    emscripten::function("preferredLanguage", &PreferredLanguage);
    emscripten::function("translate", &Translate);
}

} // namespace trezolin::web
