#pragma once

#include "tablefee.h"

#include <QByteArray>

// What tolvemar-onorario prints as JSON: the articles offered, or one computation.
namespace console {

QByteArray articlesJson(const fee::Decree &decree);
QByteArray tableFeeJson(const fee::TableArticle &article, const fee::TableFee &fee);

} // namespace console
