#include "resource_file.h"

#include <QtEndian>

namespace {

constexpr quint32 kFixedInfoSignature = 0xFEEF04BD;
constexpr int kFixedInfoSize = 52;

// A cursor over little-endian data that turns every overrun into failure.
class Reader {
public:
    Reader(const QByteArray& bytes, qsizetype start, qsizetype end)
        : m_bytes(bytes), m_pos(start), m_start(start), m_end(end) { }

    bool ok() const { return m_ok; }
    qsizetype pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_end; }

    quint16 u16() { return take<quint16>(); }
    quint32 u32() { return take<quint32>(); }

    // A UTF-16 string up to and past its terminating zero.
    QString text()
    {
        QString result;
        while (m_ok) {
            const quint16 unit = u16();
            if (unit == 0)
                break;
            result.append(QChar(unit));
        }
        return result;
    }

    QByteArray bytes(qsizetype count)
    {
        if (!has(count))
            return {};
        const QByteArray result = m_bytes.mid(m_pos, count);
        m_pos += count;
        return result;
    }

    // Resource structures start on 32-bit boundaries of their data.
    void align() { m_pos = qMin(m_end, m_start + (m_pos - m_start + 3) / 4 * 4); }

private:
    bool has(qsizetype count)
    {
        m_ok = m_ok && count >= 0 && m_pos + count <= m_end;
        return m_ok;
    }

    template <typename T>
    T take()
    {
        if (!has(sizeof(T)))
            return 0;
        const T value = qFromLittleEndian<T>(m_bytes.constData() + m_pos);
        m_pos += sizeof(T);
        return value;
    }

    const QByteArray& m_bytes;
    qsizetype m_pos;
    qsizetype m_start;
    qsizetype m_end;
    bool m_ok = true;
};

// A type or a name in a resource header: a number or a string.
int readId(Reader& in)
{
    const quint16 first = in.u16();
    if (first == 0xFFFF)
        return in.u16();
    if (first != 0)
        in.text();
    return 0;
}

struct Node {
    QString key;
    QByteArray value;
    QList<Node> children;
};

// One node of the version record: length, value length, kind, key, value,
// then child nodes up to its length. A text value is read up to the node's
// end, since compilers disagree whether its length counts bytes or letters.
std::optional<Node> readNode(const QByteArray& data, qsizetype start)
{
    Reader head(data, start, data.size());
    const quint16 length = head.u16();
    const quint16 valueLength = head.u16();
    const quint16 kind = head.u16();
    if (!head.ok() || length < 6 || start + length > data.size())
        return std::nullopt;
    Reader in(data, start, start + length);
    in.bytes(6);
    Node node{in.text(), {}, {}};
    in.align();
    if (kind == 1 && valueLength > 0) {
        node.value = in.bytes(start + length - in.pos());
    } else {
        node.value = in.bytes(valueLength);
        in.align();
        while (in.ok() && !in.atEnd()) {
            const auto child = readNode(data, in.pos());
            if (!child)
                return std::nullopt;
            node.children.append(*child);
            in.bytes(qFromLittleEndian<quint16>(data.constData() + in.pos()));
            in.align();
        }
    }
    if (!in.ok())
        return std::nullopt;
    return node;
}

QString textValue(const QByteArray& value)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(value.constData()),
                                            value.size() / 2);
    return text.left(text.indexOf(QChar(0)));
}

QList<quint16> words(const QByteArray& value)
{
    QList<quint16> result;
    for (qsizetype i = 0; i + 1 < value.size(); i += 2)
        result.append(qFromLittleEndian<quint16>(value.constData() + i));
    return result;
}

} // namespace

std::optional<QList<Resource>> readResFile(const QByteArray& bytes)
{
    QList<Resource> resources;
    Reader in(bytes, 0, bytes.size());
    while (in.ok() && !in.atEnd()) {
        const qsizetype start = in.pos();
        const quint32 dataSize = in.u32();
        const quint32 headerSize = in.u32();
        Resource resource;
        resource.type = readId(in);
        readId(in);
        in.align();
        in.u32();
        in.u16();
        resource.language = in.u16();
        in.bytes(start + headerSize - in.pos());
        resource.data = in.bytes(dataSize);
        in.align();
        if (in.ok() && dataSize > 0)
            resources.append(resource);
    }
    if (!in.ok())
        return std::nullopt;
    return resources;
}

std::optional<VersionRecord> readVersionRecord(const QByteArray& data)
{
    const auto root = readNode(data, 0);
    if (!root || root->key != QLatin1String("VS_VERSION_INFO") || root->value.size() != kFixedInfoSize)
        return std::nullopt;
    const QList<quint16> fixed = words(root->value);
    if ((quint32(fixed[1]) << 16 | fixed[0]) != kFixedInfoSignature)
        return std::nullopt;

    VersionRecord record;
    // Each version is two 32-bit numbers, high part first, stored little-endian.
    record.fileVersion = {fixed[5], fixed[4], fixed[7], fixed[6]};
    record.productVersion = {fixed[9], fixed[8], fixed[11], fixed[10]};
    for (const Node& block : root->children) {
        for (const Node& child : block.children) {
            if (block.key == QLatin1String("StringFileInfo")) {
                for (const Node& string : child.children)
                    record.strings[child.key][string.key] = textValue(string.value);
            } else if (block.key == QLatin1String("VarFileInfo")
                       && child.key == QLatin1String("Translation")) {
                record.translations += words(child.value);
            }
        }
    }
    return record;
}

std::optional<QList<IconGroupEntry>> readIconGroup(const QByteArray& data)
{
    Reader in(data, 0, data.size());
    in.u16();
    const quint16 type = in.u16();
    const quint16 count = in.u16();
    QList<IconGroupEntry> entries;
    for (int i = 0; i < count && in.ok(); ++i) {
        const QByteArray sizes = in.bytes(4);
        in.u16();
        const quint16 bits = in.u16();
        in.u32();
        in.u16();
        if (in.ok())
            entries.append({uchar(sizes[0]), uchar(sizes[1]), uchar(sizes[2]), bits});
    }
    if (!in.ok() || type != 1)
        return std::nullopt;
    return entries;
}
