#pragma once

#include <QString>

namespace tolvemar {

// The text of "Informazioni su Calcolo Tolvemar CT": the version, the law the figures come from,
// and the libraries and fonts the program carries with where their licences are.
QString aboutText();

// The libraries and fonts of other authors in this build, with their licences and where the
// full texts are: on Windows in the program's own folder, which carries them; on Linux in the
// Debian packages the program is installed with.
QString thirdPartyNotice();

} // namespace tolvemar
