// The interface language chosen from --lang, BRISCA_LANG and the system locale, and the
// problems' messages in each language.
#include <gtest/gtest.h>

#include "logic/text/Language.h"

using brisca::Language;

namespace {

TEST(LanguageChoice, OptionBeatsVariableBeatsSystem)
{
    const struct {
        const char* what;
        brisca::LanguageSources sources;
        Language expected;
    } cases[] = {
        {"Japanese system", {"", "", "ja_JP"}, Language::Japanese},
        {"English system", {"", "", "en_GB"}, Language::English},
        {"German system", {"", "", "de_DE"}, Language::English},
        {"C locale keeps the default", {"", "", "C"}, Language::Japanese},
        {"no locale keeps the default", {"", "", ""}, Language::Japanese},
        {"variable over system", {"", "ja", "en_US"}, Language::Japanese},
        {"variable over Japanese system", {"", "en", "ja_JP"}, Language::English},
        {"option over variable", {"ja", "en", "en_US"}, Language::Japanese},
        {"option over system", {"en", "", "ja_JP"}, Language::English},
    };
    for (const auto& c : cases) {
        const brisca::Expected<Language> chosen = brisca::ChooseLanguage(c.sources);
        ASSERT_TRUE(chosen) << c.what;
        EXPECT_EQ(*chosen, c.expected) << c.what;
    }
}

TEST(LanguageChoice, UnknownNamesAreRefusedNotGuessed)
{
    for (const brisca::LanguageSources& sources :
        {brisca::LanguageSources{"fr", "", "ja_JP"}, brisca::LanguageSources{"", "english", "en_US"},
            brisca::LanguageSources{"--lang", "", ""}, brisca::LanguageSources{"EN", "", ""}}) {
        const brisca::Expected<Language> chosen = brisca::ChooseLanguage(sources);
        ASSERT_FALSE(chosen) << sources.option << sources.variable;
        EXPECT_NE(brisca::MessageText(chosen.Failure()).find("en or ja"), std::string::npos);
    }
}

TEST(LanguageChoice, OptionReadFromTheArguments)
{
    const struct {
        std::vector<std::string> arguments;
        std::string expected;
    } cases[] = {
        {{"brisca"}, ""},
        {{"brisca", "--lang", "en"}, "en"},
        {{"brisca", "--lang=ja"}, "ja"},
        {{"brisca", "--lang=ja", "--lang", "en"}, "en"},
        {{"brisca", "--lang"}, "--lang"},
        {{"brisca", "--language", "en"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(brisca::LanguageOption(c.arguments), c.expected) << c.arguments.size();
}

// Problems as each interface shows them: English only where there is an English detail or
// translation.
TEST(MessageLanguage, EnglishInterfaceShowsTheEnglishDetailOnly)
{
    const struct {
        brisca::Problem problem;
        const char* japanese;
        const char* english;
    } cases[] = {
        {brisca::PlainProblem("管電圧が範囲外です", "tube voltage out of range"),
            "管電圧が範囲外です [tube voltage out of range]", "tube voltage out of range"},
        {brisca::FileProblem("/data/Air.eac", "を開けません", "the file cannot be opened"),
            "Air.eac を開けません [Air.eac: the file cannot be opened]",
            "Air.eac: the file cannot be opened"},
        {brisca::RecordProblem("dir/MUs.dat", 7, "数値がありません", "no number"),
            "MUs.dat の 7 行目: 数値がありません [MUs.dat, record 7: no number]",
            "MUs.dat, record 7: no number"},
        {brisca::FileProblem("a.dsr5", "を読めません"), "a.dsr5 を読めません", "a.dsr5 を読めません"},
        // A window's own message keeps its exact Japanese wording, without a bracket.
        {brisca::TranslatedProblem(" 管電流は 0 以上にして下さい ", "The tube current must not be negative."),
            " 管電流は 0 以上にして下さい ", "The tube current must not be negative."},
    };
    for (const auto& c : cases) {
        brisca::SetMessageLanguage(Language::Japanese);
        EXPECT_EQ(brisca::MessageText(c.problem), c.japanese);
        brisca::SetMessageLanguage(Language::English);
        EXPECT_EQ(brisca::MessageText(c.problem), c.english);
    }
    brisca::SetMessageLanguage(Language::Japanese);
}

} // namespace
