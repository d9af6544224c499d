// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's way into the program: the lesson and the window's description,
// as JavaScript values.
//
// One click of "Провери" on the page:
//   app.js: the check button's click -> lesson.click(1, chosen row)
//     -> Lesson::Run(the check, the method of that row)
//     -> a plain object with the cubes, the hidden lists, the log's change,
//        what a screen reader should say and the error's kind, which app.js
//        writes into the page.

#include "design/description_json.h"
#include "design/messages.h"
#include "lesson/lesson.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

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

val ToValue(const View& view)
{
    val result = val::object();
    result.set("firstCube", Texts(view.firstCube));
    result.set("secondCube", Texts(view.secondCube));
    result.set("previousValues", Texts(view.previousValues));
    result.set("currentValues", Texts(view.currentValues));
    result.set("logReplaced", view.logChange == LogChange::Replaced);
    result.set("logText", Text(view.logText));
    // The key of the message in the description's "messages", or "".
    result.set("error", Text(design::ErrorKindName(view.error)));
    // What a screen reader should say of the command, or "".
    result.set("announcement", Text(view.announcement));
    return result;
}

} // namespace

// The lesson as the page holds it.
class PageLesson {
public:
    // The load state, as the page shows it first.
    val Show() { return ToValue(lesson_.Show()); }

    // The method list's row that is chosen at load.
    int LoadRow() const { return RowOfMethod(lesson_.State().method); }

    // A click on the button Command1(index), with row `row` of the method list
    // chosen (-1 for none). Never throws.
    val Click(int index, int row)
    {
        const std::optional<Command> command = ButtonCommand(index);
        return command ? ToValue(lesson_.Run(*command, MethodOfRow(row))) : val::null();
    }

private:
    Lesson lesson_;
};

EMSCRIPTEN_BINDINGS(trezolin)
{
    emscripten::function("description", &design::DescriptionJson);
    emscripten::class_<PageLesson>("Lesson")
        .constructor<>()
        .function("show", &PageLesson::Show)
        .function("loadRow", &PageLesson::LoadRow)
        .function("click", &PageLesson::Click);
}

} // namespace trezolin::web
