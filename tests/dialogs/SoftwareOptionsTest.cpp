// The software options dialog: each box follows its own switch slot, and "&OK" or the close
// box writes every slot's keyword back.
#include "DialogTestSupport.h"

#include "dialogs/Unit8.h"

#include <QCheckBox>
#include <QPushButton>

#include <array>
#include <memory>
#include <string>

namespace app::testing {
namespace {

struct Row {
    QCheckBox *TForm8::*box;
    QLabel *TForm8::*text;
    settings::Slot slot;
    const char *on;
    const char *off;
};

// Top to bottom, as on screen.
const std::array<Row, 6> kRows{{
    {&TForm8::CheckBox1, &TForm8::Label1, settings::ConnectWarningSlot, "ONAVERTI", "OFFAVERTI"},
    {&TForm8::CheckBox6, &TForm8::Label2, settings::StandaloneNoticeSlot, "ONAVERTI2",
     "OFFAVERTI2"},
    {&TForm8::CheckBox4, &TForm8::Label3, settings::DegreesDisplaySlot, "ONCAP", "OFFCAP"},
    {&TForm8::CheckBox5, &TForm8::Label4, settings::DirectionDisplaySlot, "ONORIENT", "OFFORIENT"},
    {&TForm8::CheckBox2, &TForm8::Label5, settings::BalloonSlot, "ONINFO", "OFFINFO"},
    {&TForm8::CheckBox3, &TForm8::Label6, settings::SoundSlot, "ONSON", "OFFSON"},
}};

class SoftwareOptionsTest : public DialogTest {
protected:
    bool Ticked(const Row &row) const { return ((*form).*row.box)->isChecked(); }
    std::string Slot(const Row &row) const { return main.settings.Get(row.slot); }

    std::unique_ptr<TForm8> form = std::make_unique<TForm8>(main);
};

TEST_F(SoftwareOptionsTest, EachBoxShowsAndStoresItsOwnSlot) {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const Row &mine = kRows[i];
        const Row &next = kRows[(i + 1) % kRows.size()];
        SCOPED_TRACE(mine.on);
        for (const Row &row : kRows)
            main.settings.Set(row.slot, &row == &mine ? row.on : row.off);
        form->ShowOnTop();
        for (const Row &row : kRows)
            EXPECT_EQ(Ticked(row), &row == &mine) << row.on;

        // The user clears this row and ticks the next one by their texts.
        ClickText((*form).*mine.text);
        ClickText((*form).*next.text);
        const int activations = main.activations;
        if (i % 2 == 0)
            form->BitBtn1->click();
        else
            form->close(); // the close box stores like "&OK"
        for (const Row &row : kRows)
            EXPECT_EQ(Slot(row), &row == &next ? row.on : row.off);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(Active(), &main);
        EXPECT_EQ(main.activations, activations + 1);
    }
    EXPECT_EQ(main.parametersChanged, 0);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();
}

TEST_F(SoftwareOptionsTest, OtherTextsLeaveTheBoxesAsTheyWereAndAreReplacedByKeywords) {
    // At the first opening the boxes are clear: empty slots become OFF keywords.
    form->ShowOnTop();
    form->BitBtn1->click();
    for (const Row &row : kRows)
        EXPECT_EQ(Slot(row), row.off);

    for (const Row &row : kRows)
        main.settings.Set(row.slot, row.on);
    form->ShowOnTop();
    form->BitBtn1->click();

    // Near misses of the keywords match nothing: lower case, a trailing blank, nothing.
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const QString on = QString::fromLatin1(kRows[i].on);
        const QString nearMisses[] = {on.toLower(), on + ' ', QString()};
        main.settings.Set(kRows[i].slot, nearMisses[i % 3].toStdString());
    }
    form->ShowOnTop();
    for (const Row &row : kRows)
        EXPECT_TRUE(Ticked(row)) << row.on;
    form->close();
    for (const Row &row : kRows)
        EXPECT_EQ(Slot(row), row.on);

    form->ShowOnTop();
    form->BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("rub9"));
    EXPECT_TRUE(form->isVisible());
}

} // namespace
} // namespace app::testing
