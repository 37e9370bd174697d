#pragma once

#include <string>
#include <utility>
#include <variant>

namespace brisca {

// What went wrong, for the user: the front end's one form of a failure. Every message is
// shown the way the engines show theirs: the Japanese text, then the English detail in
// brackets, with the file and its record where there is one.
struct Problem {
    std::string file;     // the file at fault, shown by its bare name; empty when none
    int record = 0;       // its record (line), from 1; 0 for the file as a whole
    std::string japanese; // what went wrong, in Japanese
    std::string english;  // the same in English; empty where the message is Japanese only
    // Whether the English is the Japanese text's translation rather than a detail for the
    // engine's users: the Japanese interface then shows the Japanese alone.
    bool englishTranslates = false;
};

// A problem of no particular file.
Problem PlainProblem(std::string japanese, std::string english = {});
// A problem of no particular file whose English is a translation: a message of the windows
// whose Japanese wording is the window's own, shown alone in the Japanese interface.
Problem TranslatedProblem(std::string japanese, std::string english);
// A problem of a file as a whole.
Problem FileProblem(std::string file, std::string japanese, std::string english = {});
// A problem of one record (line) of a file.
Problem RecordProblem(std::string file, int record, std::string japanese, std::string english = {});

// The problem as the user reads it: "<file> の <n> 行目: <japanese> [<file>, record <n>:
// <english>]", "<file> <japanese> [<file>: <english>]" or "<japanese> [<english>]"; without
// the brackets when there is no English detail. In the English interface (SetMessageLanguage)
// only the bracketed part, "<file>, record <n>: <english>", "<file>: <english>" or "<english>";
// a problem without an English detail keeps its Japanese text there too. A translated problem
// shows one language: the Japanese alone or the English alone.
std::string MessageText(const Problem& problem);
// The problem in both languages whatever the interface speaks, as the command-line programs
// print every message: the Japanese form of MessageText, with a translation in brackets too.
std::string BilingualText(const Problem& problem);

// A value, or the problem that kept it from being made.
template <typename T> class Expected {
public:
    // A value.
    Expected(T value) : content_(std::in_place_index<0>, std::move(value)) { }
    // No value, for this reason.
    Expected(Problem problem) : content_(std::in_place_index<1>, std::move(problem)) { }

    // Whether there is a value.
    explicit operator bool() const { return content_.index() == 0; }
    // The value; only when there is one.
    T& operator*() { return std::get<0>(content_); }
    // The value; only when there is one.
    const T& operator*() const { return std::get<0>(content_); }
    // The value's members; only when there is one.
    T* operator->() { return &std::get<0>(content_); }
    // The value's members; only when there is one.
    const T* operator->() const { return &std::get<0>(content_); }
    // Why there is no value; only when there is none.
    const Problem& Failure() const { return std::get<1>(content_); }

private:
    std::variant<T, Problem> content_;
};

} // namespace brisca
