// The //% comments give lupdate the English source text of each id.
#include "translations/TextIds.h"

#include <QtGlobal>
#include <array>

namespace balalaika::resources {
namespace {

constexpr std::array kTexts{
    //% "Prima balalaika"
    TextId{"", "TuningFreeTitle", QT_TRID_NOOP("TuningFreeTitle")},
    //% "Secunda balalaika"
    TextId{"", "TuningFreeTitle2", QT_TRID_NOOP("TuningFreeTitle2")},
    //% "Alto balalaika"
    TextId{"", "TuningFreeTitle3", QT_TRID_NOOP("TuningFreeTitle3")},
    //% "Bass balalaika"
    TextId{"", "TuningFreeTitle4", QT_TRID_NOOP("TuningFreeTitle4")},
    //% "Contrabass balalaika"
    TextId{"", "TuningFreeTitle5", QT_TRID_NOOP("TuningFreeTitle5")},
    //% "Congratulations on choosing the balalaika!"
    TextId{"", "TunerAboutCongratsMessage", QT_TRID_NOOP("TunerAboutCongratsMessage")},
    //% "Pluck one string at a time and tune it until the lamp turns green."
    TextId{"", "TunerAboutMsg2", QT_TRID_NOOP("TunerAboutMsg2")},
    //% "Rate %@"
    TextId{kRatingTable, "Rate Title", QT_TRID_NOOP("RatingPromptLocalizable:Rate Title")},
    //% "If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks for your support!"
    TextId{kRatingTable,
           "If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. "
           "Thanks for your support!",
           QT_TRID_NOOP("RatingPromptLocalizable:If you enjoy using %@, would you mind taking a moment to rate it? "
                        "It won't take more than a minute. Thanks for your support!")},
    //% "Rate %@"
    TextId{kRatingTable, "Rate %@", QT_TRID_NOOP("RatingPromptLocalizable:Rate %@")},
    //% "Remind me later"
    TextId{kRatingTable, "Remind me later", QT_TRID_NOOP("RatingPromptLocalizable:Remind me later")},
    //% "No, Thanks"
    TextId{kRatingTable, "No, Thanks", QT_TRID_NOOP("RatingPromptLocalizable:No, Thanks")},
    //% "far flat"
    TextId{"", "CentsFarFlat", QT_TRID_NOOP("CentsFarFlat")},
    //% "far sharp"
    TextId{"", "CentsFarSharp", QT_TRID_NOOP("CentsFarSharp")},
    //% "tune up"
    TextId{"", "CentsTuneUp", QT_TRID_NOOP("CentsTuneUp")},
    //% "tune down"
    TextId{"", "CentsTuneDown", QT_TRID_NOOP("CentsTuneDown")},
    //% "Website"
    TextId{"", "LinkWebsite", QT_TRID_NOOP("LinkWebsite")},
    //% "Rate this app"
    TextId{"", "LinkRateThisApp", QT_TRID_NOOP("LinkRateThisApp")},
    //% "More apps…"
    TextId{"", "LinkMoreApps", QT_TRID_NOOP("LinkMoreApps")},
    //% "Precise pitch (no octave jumps)"
    TextId{"", "PreciseEstimator", QT_TRID_NOOP("PreciseEstimator")},
    //% "A4 = %@ Hz"
    TextId{"", "ConcertPitchLabel", QT_TRID_NOOP("ConcertPitchLabel")},
    //% "Locked: %@"
    TextId{"", "LockedString", QT_TRID_NOOP("LockedString")},
    //% "Play an A and hold it…"
    TextId{"", "ListeningForA", QT_TRID_NOOP("ListeningForA")},
    //% "no steady A heard"
    TextId{"", "NoSteadyA", QT_TRID_NOOP("NoSteadyA")},
    //% "A4 set to %@ Hz"
    TextId{"", "HeardA", QT_TRID_NOOP("HeardA")},
    //% "Unison: pluck string 2"
    TextId{"", "UnisonPluckString2", QT_TRID_NOOP("UnisonPluckString2")},
    //% "Now pluck string 3"
    TextId{"", "UnisonPluckString3", QT_TRID_NOOP("UnisonPluckString3")},
    //% "%@ ¢ apart"
    TextId{"", "UnisonGap", QT_TRID_NOOP("UnisonGap")},
    //% "%@ beats/s"
    TextId{"", "UnisonBeats", QT_TRID_NOOP("UnisonBeats")},
    //% "in unison"
    TextId{"", "UnisonInUnison", QT_TRID_NOOP("UnisonInUnison")},
    //% "Check unison"
    TextId{"", "UnisonCheck", QT_TRID_NOOP("UnisonCheck")},
    //% "Stop the check"
    TextId{"", "UnisonCancel", QT_TRID_NOOP("UnisonCancel")},
    //% "Hear A"
    TextId{"", "ListenForA", QT_TRID_NOOP("ListenForA")},
    //% "Precise"
    TextId{"", "PreciseShort", QT_TRID_NOOP("PreciseShort")},
};

}  // namespace

std::span<const TextId> textIds() { return kTexts; }

std::string translationId(const std::string& key, const std::string& table) {
  return table.empty() ? key : table + ":" + key;
}

}  // namespace balalaika::resources
