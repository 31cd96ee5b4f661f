// The program's twelve windows (the main window, the dialogs TForm2 to TForm10, the heading
// output's dialog and the heading log's window) and the heading output, created in their
// fixed order and kept until the end.
#pragma once

#include "program/HeadingOutputWiring.h"

#include <memory>

namespace app {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class HeadingLog;
class THeadingShareForm;
class SwingWiring;

class Forms {
public:
    Forms();
    ~Forms();
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    // Creates the main window, then the dialogs TForm2 to TForm10, in that order, then
    // the heading output (fed by the main window's readings, not started) and its dialog,
    // then the heading log.
    void Create();
    // Destroys the dialogs and the heading output, then the main window (which closes its
    // port first).
    void Destroy();

    TForm1 *Form1() const { return form1_.get(); }
    TForm2 *Form2() const { return form2_.get(); }
    TForm4 *Form4() const { return form4_.get(); }
    TForm6 *Form6() const { return form6_.get(); }
    // The heading log ("Journal du cap..." of the Boussole menu), made after the dialogs.
    HeadingLog *Log() const { return log_.get(); }
    // The heading output and its wiring (HeadingOutput().Start opens it).
    HeadingOutputWiring &HeadingOutput() const { return *output_; }
    nmea::HeadingShare *Share() const { return &output_->Share(); }
    THeadingShareForm *ShareForm() const { return shareForm_.get(); }
    // The compass swing ("Régulation du compas..." of the Boussole menu), made last.
    SwingWiring *Swing() const { return swing_.get(); }

private:
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
    std::unique_ptr<TForm7> form7_;
    std::unique_ptr<TForm8> form8_;
    std::unique_ptr<TForm9> form9_;
    std::unique_ptr<TForm10> form10_;
    std::unique_ptr<HeadingLog> log_;
    std::unique_ptr<HeadingOutputWiring> output_;
    std::unique_ptr<THeadingShareForm> shareForm_;
    std::unique_ptr<SwingWiring> swing_;
};

} // namespace app
