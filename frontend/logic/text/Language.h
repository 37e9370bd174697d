#pragma once

#include <string>
#include <vector>

#include "logic/problem/Problem.h"

namespace brisca {

// The language the windows and messages speak.
enum class Language { Japanese, English };

// A box or quantity as messages name it, in each language.
struct BilingualLabel {
    const char* japanese;
    const char* english;
};

// Where the language comes from, strongest first: brisca's --lang option, then BRISCA_LANG,
// then the system's locale. Empty where a source says nothing.
struct LanguageSources {
    std::string option;       // the value of --lang, "en" or "ja"
    std::string variable;     // the value of BRISCA_LANG, "en" or "ja"
    std::string systemLocale; // the system locale's name, such as "ja_JP" or "en_GB"
};

// The value of "--lang VALUE" or "--lang=VALUE" among the program's arguments; empty when the
// option is not given. A --lang without a value gives "--lang", which ChooseLanguage refuses.
std::string LanguageOption(const std::vector<std::string>& arguments);

// The language the sources choose: Japanese unless the system locale is not Japanese or the
// variable or the option says otherwise. An option or variable other than "en" or "ja" is a
// problem naming it, so that a typing mistake is not taken for a choice.
Expected<Language> ChooseLanguage(const LanguageSources& sources);

// The language messages built from problems are shown in: Japanese with the English detail in
// brackets, or English only. Set once at start, before any window opens.
void SetMessageLanguage(Language language);
// The language set by SetMessageLanguage; Japanese until then.
Language MessageLanguage();
// The text in the language set by SetMessageLanguage: a question or notice of the logic that
// a window shows as it stands.
std::string InMessageLanguage(std::string japanese, std::string english);

} // namespace brisca
