#include "tools/svg2bmp/path_data.h"

#include <QPainterPath>
#include <QPoint>
#include <QRegularExpression>

#include <cstdlib>

namespace {

class PathWriter {
public:
    void command(QChar letter)
    {
        // A repeated command is implied, but a repeated moveto would be a lineto.
        if (letter == m_lastCommand && letter.toLower() != QLatin1Char('m'))
            return;
        m_data += letter;
        m_lastCommand = letter;
        m_afterNumber = false;
    }

    void number(QString text)
    {
        if (text.startsWith(QLatin1Char('+')))
            text.remove(0, 1);
        const int sign = text.startsWith(QLatin1Char('-')) ? 1 : 0;
        if (text.size() > sign + 2 && QStringView(text).mid(sign, 2) == QLatin1String("0."))
            text.remove(sign, 1);
        // "1.5.5" reads as 1.5 and .5, and "1-5" as 1 and -5.
        const bool joins = text.startsWith(QLatin1Char('-')) || (text.startsWith(QLatin1Char('.')) && m_pointLast);
        if (m_afterNumber && !joins)
            m_data += QLatin1Char(' ');
        m_data += text;
        m_afterNumber = true;
        m_pointLast = text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'), Qt::CaseInsensitive);
    }

    QString data() const { return m_data; }

private:
    QString m_data;
    QChar m_lastCommand;
    bool m_afterNumber = false;
    bool m_pointLast = false;
};

QString tenthsText(int tenths)
{
    QString text = tenths < 0 ? QStringLiteral("-") : QString();
    const int size = std::abs(tenths);
    if (size >= 10 || size == 0)
        text += QString::number(size / 10);
    if (size % 10 != 0)
        text += QLatin1Char('.') + QString::number(size % 10);
    return text;
}

} // namespace

QString pathData(const QPainterPath& path)
{
    PathWriter writer;
    QPoint current; // in tenths of a unit, as written so far
    QPoint start; // of the subpath
    const auto tenths
        = [](const QPainterPath::Element& point) { return QPoint(qRound(point.x * 10), qRound(point.y * 10)); };
    const auto writeRelative = [&](QPoint point) {
        writer.number(tenthsText(point.x() - current.x()));
        writer.number(tenthsText(point.y() - current.y()));
    };
    const int count = path.elementCount();
    for (int i = 0; i < count;) {
        const QPainterPath::Element element = path.elementAt(i);
        const int next = element.isCurveTo() ? i + 3 : i + 1;
        const QPoint end = tenths(path.elementAt(next - 1));
        const bool closes = !element.isMoveTo() && end == start && (next == count || path.elementAt(next).isMoveTo());
        if (element.isMoveTo()) {
            writer.command(QLatin1Char('m'));
            writeRelative(end);
            start = end;
        } else if (element.isLineTo()) {
            if (!closes) {
                writer.command(QLatin1Char('l'));
                writeRelative(end);
            }
        } else {
            writer.command(QLatin1Char('c'));
            writeRelative(tenths(element));
            writeRelative(tenths(path.elementAt(i + 1)));
            writeRelative(end);
        }
        current = end;
        if (closes)
            writer.command(QLatin1Char('z'));
        i = next;
    }
    return writer.data();
}

QString compactPathData(const QString& data)
{
    static const QRegularExpression token(QStringLiteral(R"([A-Za-z]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    PathWriter writer;
    for (const QRegularExpressionMatch& match : token.globalMatch(data)) {
        const QString text = match.captured();
        if (text.front().isLetter())
            writer.command(text.front());
        else
            writer.number(text);
    }
    return writer.data();
}
