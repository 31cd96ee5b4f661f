// The integer conversion's exact syntax and the exceptions' French messages.
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace {

using platform::StrToInt;
using platform::TryStrToInt;

struct Accepted {
    const char *text;
    int value;
};

TEST(StrToIntTest, AcceptsBlanksSignAndDigits) {
    const Accepted cases[] = {
        {"0", 0},
        {"127", 127},
        {"254", 254},
        {" +7", 7},
        {"-0", 0},
        {"   -12", -12},
        {"0007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"000000000000000000002147483647", INT_MAX},
    };
    for (const Accepted &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(QString::fromUtf8(c.text)), c.value);
        EXPECT_EQ(StrToInt(std::string(c.text)), c.value);
    }
}

TEST(StrToIntTest, RefusesEverythingElse) {
    const char *const cases[] = {
        "",            // empty
        " ",           // blanks only
        "+",           // sign only
        " -",          //
        "12a",         // something after the digits
        "12\n",        // a line break after them
        "12 ",         // even a blank
        "\t12",        // tabs are not blanks here
        "+-1",         // two signs
        "- 1",         // blank after the sign
        "1 2",         //
        "0x1F",        // no hexadecimal
        "$1F",         //
        "1e3",         //
        "2147483648",  // one past the top
        "-2147483649", // one past the bottom
        "99999999999999999999",
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToInt(QString::fromUtf8(text)).has_value());
        EXPECT_FALSE(TryStrToInt(std::string(text)).has_value());
    }
}

TEST(StrToIntTest, RefusesNonAsciiDigitsAndBlanks) {
    EXPECT_FALSE(TryStrToInt(QStringLiteral("١٢")).has_value());       // Arabic-Indic digits
    EXPECT_FALSE(TryStrToInt(QStringLiteral("１２")).has_value());     // full-width digits
    EXPECT_FALSE(TryStrToInt(QStringLiteral("\u00A012")).has_value()); // no-break space
    EXPECT_FALSE(TryStrToInt(std::string("\xC2\xA0"
                                         "12"))
                     .has_value());
    // A character whose low byte is a digit must not pass for one.
    EXPECT_FALSE(TryStrToInt(QString(QChar(0x0131))).has_value());
}

TEST(StrToIntTest, ErrorNamesTheText) {
    try {
        StrToInt(QStringLiteral("12a"));
        FAIL() << "no exception";
    } catch (const platform::EConvertError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("'12a' n'est pas une valeur entière correcte"));
        EXPECT_STREQ(error.what(), "'12a' n'est pas une valeur entière correcte");
    }
    try {
        StrToInt(std::string(""));
        FAIL() << "no exception";
    } catch (const platform::EConvertError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("'' n'est pas une valeur entière correcte"));
    }
}

TEST(ErrorsTest, MessagesOfTheFileAndAnimationErrors) {
    EXPECT_EQ(platform::EFOpenError(QStringLiteral("/opt/a b/é.bmp")).Message(),
              QStringLiteral("Impossible d'ouvrir le fichier /opt/a b/é.bmp"));
    EXPECT_EQ(platform::EAviError().Message(), QStringLiteral("Impossible d'ouvrir l'AVI"));
    // A reason holding "%1" must not be taken for a placeholder.
    EXPECT_EQ(platform::EInOutError(QStringLiteral("Ventrose.inf"), QStringLiteral("No %1 space"))
                  .Message(),
              QStringLiteral("Erreur d'entrée/sortie sur le fichier Ventrose.inf : No %1 space"));
}

TEST(ErrorsTest, ExceptionMessageOfEveryKind) {
    auto messageOf = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return platform::ExceptionMessage(std::current_exception());
        }
        return QString();
    };
    EXPECT_EQ(messageOf([] { throw platform::EAviError(); }),
              QStringLiteral("Impossible d'ouvrir l'AVI"));
    EXPECT_EQ(messageOf([] { throw std::runtime_error("déjà ouvert"); }),
              QStringLiteral("déjà ouvert"));
    EXPECT_FALSE(messageOf([] { throw 42; }).isEmpty());
}

} // namespace
