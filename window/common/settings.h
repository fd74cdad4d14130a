#pragma once

#include "fee.h"

#include <QString>

// What the program keeps between runs, in the user's settings under "Tolvemar" / "CalcoloCT".
// A file that cannot be read or is broken, and any value out of range, gives the default for
// that value: never an error.
namespace tolvemar::settings {

fee::CalcolaOptions options();
void setOptions(const fee::CalcolaOptions &options);

// The expert's name and the court, as last given for a fee request.
QString expert();
QString court();
void setExpertAndCourt(const QString &expert, const QString &court);

} // namespace tolvemar::settings
