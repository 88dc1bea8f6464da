#pragma once
// Where the application's files on disk are: the demo recording and the translations. An
// installed binary (<prefix>/bin/balalaika-tuner) reads them from its installed data folder
// (<prefix>/share/balalaika-tuner, placed relative to the binary, so that a package unpacked
// anywhere still finds its own files); a binary in its build folder has no such folder and reads
// the source tree it was built from. Needs the application object.

#include <QString>

namespace balalaika::qt {

// The installed data folder of the running binary; empty when it runs from its build folder.
QString installedDataDir();

// The bundled demo recording: audio/demo.flac in the installed data folder, else in the sources.
QString demoRecordingPath();

// The folder of the translation files (balalaika-tuner_<lang>.qm) installed beside the binary;
// empty when there is none: the translations compiled into the binary are used then.
QString installedTranslationsDir();

}  // namespace balalaika::qt
