// The heading output as a whole: the sentences of each valid reading go to every output
// that is on, those the user chose (kept in Ventrose.conf) and those the command line
// switched on for this run. Runs on the user-interface thread and never waits: sockets
// and the pseudo-terminal are written without blocking.
#pragma once

#include "nmea/HeadingSentences.h"
#include "nmea/ShareOutput.h"
#include "nmea/ShareSettings.h"
#include "nmea/UdpOutput.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace nmea {

class HeadingShare : public QObject {
    Q_OBJECT

public:
    // `ptyLinkPath`: where the pseudo-terminal's device is linked (`NMEA` in the
    // installation folder).
    explicit HeadingShare(QString ptyLinkPath);
    ~HeadingShare() override;

    // Problems and notes of the outputs, in the order they happen.
    void AddNoticeSink(NoticeSink sink);

    // The outputs the command line switched on for this run, and whether it added HDT.
    void SetRunChoice(std::vector<OutputTarget> targets, bool trueHeading);
    const std::vector<OutputTarget> &RunTargets() const { return runTargets_; }
    bool RunTrueHeading() const { return runTrueHeading_; }

    // The user's choice. Applying it again also restarts the outputs that failed to start.
    void SetSaved(const ShareSettings &settings);
    const ShareSettings &Saved() const { return saved_; }

    // The declination the user worked out for the place, for the variation; nothing when
    // none was applied.
    void SetPlaceVariation(std::optional<PlaceVariation> place) { place_ = place; }
    const std::optional<PlaceVariation> &Place() const { return place_; }

    // The deviation card applied to the output; nothing when none is (the sensor's heading
    // goes out as it is).
    void SetCard(std::optional<deviation::Coefficients> card) { card_ = card; }
    const std::optional<deviation::Coefficients> &Card() const { return card_; }

    // How UDP outputs look host names up (tests answer for the system).
    void SetResolver(HostResolver resolver) { resolver_ = std::move(resolver); }

    // Opens the outputs; until then the choices are only kept.
    void Start();

    // The sentences of one valid reading, to every output.
    void Share(const compass::Reading &reading);
    // The last reading shared while an output was on, with its time (a sentence worked out
    // from two readings, such as a rate of turn, takes it as the previous one).
    const std::optional<compass::Reading> &LastShared() const { return lastShared_; }

    // The outputs on: the user's, then the command line's that differ from them.
    std::vector<OutputTarget> Targets() const;
    bool TrueHeading() const { return saved_.trueHeading || runTrueHeading_; }
    // The output of a target, while it is on (tests look at their ports and devices).
    ShareOutput *Output(const OutputTarget &target) const;
    // The outputs on, in the order of Targets(); empty until started.
    std::vector<const ShareOutput *> Outputs() const;
    int ConnectedClients() const;

signals:
    // After each reading's sentences went out, and after each notice of an output (a
    // client came or went, a problem): what the live state shows may have changed.
    void Changed();

private:
    void Notify(const ShareNotice &notice);
    // Makes the outputs match Targets(): keeps those unchanged that work, closes the
    // others, opens the new ones.
    void Reconcile();
    std::unique_ptr<ShareOutput> MakeOutput(const OutputTarget &target);

    QString ptyLinkPath_;
    std::vector<NoticeSink> sinks_;
    std::vector<OutputTarget> runTargets_;
    bool runTrueHeading_ = false;
    ShareSettings saved_;
    bool started_ = false;
    std::optional<PlaceVariation> place_;
    std::optional<deviation::Coefficients> card_;
    std::optional<compass::Reading> lastShared_;
    HostResolver resolver_ = LookUpWithSystem;
    std::vector<std::unique_ptr<ShareOutput>> outputs_;
};

} // namespace nmea
