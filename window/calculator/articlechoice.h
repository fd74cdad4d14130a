#pragma once

#include "tables.h"

class QComboBox;

// The list of articles of the fees-by-value dialog: every article of a decree, in the order of the
// law, the cases of one number (20.1, 20.2, ...) under a heading "Art. 20", and the articles not
// offered greyed with their reason. An article's entry holds its id as data; a heading and an
// article not offered hold none and cannot be chosen.
namespace tolvemar::articlechoice {

// Fills `box` and puts the first article in front.
void list(QComboBox *box, const fee::Decree &decree);

// When the entry in front is not an article (a user can land on one with the keyboard), puts the
// nearest article after it, else before it, in front and says true.
bool moveToAnArticle(QComboBox *box);

} // namespace tolvemar::articlechoice
