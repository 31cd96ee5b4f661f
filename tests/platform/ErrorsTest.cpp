// The integer conversion's exact syntax and the exceptions' French messages.
#include "platform/app/Errors.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using platform::TryStrToInt;

TEST(StrToIntTest, AcceptsBlanksSignAndDigits) {
    const std::pair<const char *, int> cases[] = {
        {"0", 0},
        {"254", 254},
        {" +7", 7},
        {"-0", 0},
        {"   -12", -12},
        {"0007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"000000000000000000002147483647", INT_MAX},
    };
    for (const auto &[text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(platform::StrToInt(QString::fromUtf8(text)), value);
        EXPECT_EQ(platform::StrToInt(std::string(text)), value);
    }
}

TEST(StrToIntTest, RefusesEverythingElse) {
    const char *const cases[] = {
        "",
        " ",
        "+",
        " -",
        "12a",
        "12\n",
        "12 ",
        "\t12",
        "+-1",
        "- 1",
        "1 2",
        "0x1F",
        "$1F",
        "1e3",
        "2147483648",
        "-2147483649",
        "99999999999999999999",
        "\xC2\xA0"
        "12",               // a no-break space is no blank
        "\xD9\xA1\xD9\xA2", // Arabic-Indic digits
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToInt(QString::fromUtf8(text)).has_value());
        EXPECT_FALSE(TryStrToInt(std::string(text)).has_value());
    }
    // A character whose low byte is a digit must not pass for one.
    EXPECT_FALSE(TryStrToInt(QString(QChar(0x0131))).has_value());
}

TEST(StrToIntTest, ErrorNamesTheText) {
    try {
        platform::StrToInt(QStringLiteral("12a"));
        FAIL() << "no exception";
    } catch (const platform::EConvertError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("'12a' n'est pas une valeur entière correcte"));
        EXPECT_STREQ(error.what(), "'12a' n'est pas une valeur entière correcte");
    }
}

TEST(ErrorsTest, MessagesKeepTheirArgumentsAsTheyAre) {
    EXPECT_EQ(platform::EFOpenError(QStringLiteral("/a b/é.bmp")).Message(),
              QStringLiteral("Impossible d'ouvrir le fichier /a b/é.bmp"));
    // A reason holding "%1" must not be taken for a placeholder.
    EXPECT_EQ(platform::EInOutError(QStringLiteral("Ventrose.inf"), QStringLiteral("No %1 space"))
                  .Message(),
              QStringLiteral("Erreur d'entrée/sortie sur le fichier Ventrose.inf : No %1 space"));
}

} // namespace
