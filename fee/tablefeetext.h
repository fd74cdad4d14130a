#pragma once

#include "tablefee.h"

#include <QList>
#include <QString>

// The texts of a fee of the tables, shared by tolvemar-onorario and the window: each bracket
// as a row, the three points and the legal basis.
namespace fee {

struct SliceRow {
    QString table;  // "A", "B", or empty
    QString range;  // "fino a 5.164,57 €", "da 5.164,58 € a 10.329,14 €"
    QString amount; // the slice: "5.164,57 €"
    QString rates;  // "1,0264 % - 2,0685 %"
    QString fees;   // "53,01 € - 106,83 €"
};

QList<SliceRow> sliceRows(const TableArticle &article, const TableFee &fee);

// "Art. 13 - estimo"
QString articleTitle(const TableArticle &article);
// "Art. 11 - costruzioni e impianti"
QString articleShortTitle(const TableArticle &article);

// "da 28,92 € a 290,77 € per reperto o marcatore, i successivi al primo a metà", "19,11 €"
QString fixedFeeText(const TableArticle &article);

// "Art. 25 - diagnosi su ... (n. 3 reperti o marcatori)": the title with the quantity, where the
// article is paid per item.
QString articleTitle(const TableArticle &article, int quantity);

// "Compenso fisso di 19,11 €.", "Compenso fisso da 48,03 € a 290,77 €."
QString fixedFeeSentence(const TableArticle &article);

// The line under a fee of an article of one source; empty for a confirmed one.
QString sourceNote(const Decree &decree, const TableArticle &article);

// The whole computation as Italian text, one line each: the article, the basis, the values,
// the brackets, the reduction, the minimum and the three points.
QString tableFeeText(const Decree &decree, const TableArticle &article, const TableFee &fee);

} // namespace fee
