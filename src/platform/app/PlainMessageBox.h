// The program's modal message box: an icon, a plain text shown line for line as given,
// and "OK" or "Oui"/"Non". Ctrl+C copies the box, title, text and buttons, to the clipboard.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;

namespace platform {

// Unlike Qt's own box, it never wraps a line: the program's texts place every line
// themselves, with their line breaks and leading blanks.
class PlainMessageBox : public QDialog {
    Q_OBJECT

public:
    enum class Icon { Information, Warning, Critical };

    PlainMessageBox(Icon icon, const QString &title, const QString &text, bool yesNo,
                    QWidget *parent = nullptr);

    QString Text() const { return text_; }
    // The box as Ctrl+C copies it: title, text and buttons between dashed rules.
    QString CopiedText() const;
    const QList<QPushButton *> &Buttons() const { return buttons_; }
    // The button that closed the box; null when it was closed another way (Escape, the
    // close box, the end of the program), which counts as "Non".
    QPushButton *ClickedButton() const { return clicked_; }
    bool AnsweredYes() const;

private:
    QString text_;
    QList<QPushButton *> buttons_;
    QPushButton *clicked_ = nullptr;
    QPushButton *yes_ = nullptr;
};

} // namespace platform
