#include "logic/text/Language.h"

#include <optional>
#include <utility>

namespace brisca {

namespace {

Language messageLanguage = Language::Japanese;

std::optional<Language> LanguageNamed(const std::string& name)
{
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

} // namespace

std::string LanguageOption(const std::vector<std::string>& arguments)
{
    const std::string option = "--lang";
    std::string value;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == option)
            value = i + 1 < arguments.size() ? arguments[++i] : option;
        else if (arguments[i].starts_with(option + "="))
            value = arguments[i].substr(option.size() + 1);
    }
    return value;
}

Expected<Language> ChooseLanguage(const LanguageSources& sources)
{
    if (!sources.option.empty()) {
        if (const auto language = LanguageNamed(sources.option)) return *language;
        return PlainProblem("--lang には en か ja を指定してください: " + sources.option,
            "--lang takes en or ja, not " + sources.option);
    }
    if (!sources.variable.empty()) {
        if (const auto language = LanguageNamed(sources.variable)) return *language;
        return PlainProblem("BRISCA_LANG には en か ja を指定してください: " + sources.variable,
            "BRISCA_LANG takes en or ja, not " + sources.variable);
    }
    // An unknown or empty locale ("C", "POSIX") keeps the default.
    const std::string& locale = sources.systemLocale;
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("ja"))
        return Language::Japanese;
    return Language::English;
}

void SetMessageLanguage(Language language) { messageLanguage = language; }

Language MessageLanguage() { return messageLanguage; }

std::string InMessageLanguage(std::string japanese, std::string english)
{
    return messageLanguage == Language::English ? std::move(english) : std::move(japanese);
}

} // namespace brisca
