#include "FontMeasure.h"
#include "FontPoints.h"

#include <QFontMetrics>
#include <QString>
#include <QWidget>

namespace stacklume {

int FontMeasure::CharWidth(char character, int points) const {
    return QFontMetrics(FontAtPoints(widget_.font(), points)).horizontalAdvance(QChar::fromLatin1(character));
}

int FontMeasure::TextHeight(std::string_view text, int points) const {
    const QString line = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return QFontMetrics(FontAtPoints(widget_.font(), points)).size(Qt::TextSingleLine, line).height();
}

} // namespace stacklume
