// Writes the program's icon as files for installers: PNGs for the desktop's
// icon theme, an .ico for Windows and an .icns for macOS, all drawn by the
// same code as the window's icon.
// Usage: trezolin-icon-files OUTPUT_DIRECTORY

#include "ui/app_icon.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <vector>

namespace {

QByteArray Png(int side)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    trezolin::HamburgerImage(side).save(&buffer, "PNG");
    return data;
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

template <typename T>
void Append(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

template <typename T>
void AppendBigEndian(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToBigEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// An .ico file whose images are PNGs (read by Windows Vista and later).
QByteArray Ico(const std::vector<int>& sides)
{
    QByteArray header;
    QByteArray images;
    Append<quint16>(header, 0);
    Append<quint16>(header, 1);  // icon
    Append<quint16>(header, static_cast<quint16>(sides.size()));
    const quint32 firstOffset = 6 + 16 * static_cast<quint32>(sides.size());
    for (int side : sides) {
        const QByteArray png = Png(side);
        header.append(static_cast<char>(side >= 256 ? 0 : side));
        header.append(static_cast<char>(side >= 256 ? 0 : side));
        header.append('\0');  // no palette
        header.append('\0');
        Append<quint16>(header, 1);   // colour planes
        Append<quint16>(header, 32);  // bits per pixel
        Append<quint32>(header, static_cast<quint32>(png.size()));
        Append<quint32>(header, firstOffset + static_cast<quint32>(images.size()));
        images += png;
    }
    return header + images;
}

// An .icns file with PNG entries at 128, 256 and 512 pixels.
QByteArray Icns()
{
    QByteArray entries;
    const struct {
        const char* type;
        int side;
    } kinds[] = {{"ic07", 128}, {"ic08", 256}, {"ic09", 512}};
    for (const auto& kind : kinds) {
        const QByteArray png = Png(kind.side);
        entries.append(kind.type, 4);
        AppendBigEndian<quint32>(entries, 8 + static_cast<quint32>(png.size()));
        entries += png;
    }
    QByteArray file("icns", 4);
    AppendBigEndian<quint32>(file, 8 + static_cast<quint32>(entries.size()));
    return file + entries;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    bool ok = true;
    for (int side : trezolin::kIconSizes)
        ok &= WriteFile(out.filePath(QStringLiteral("trezolin-%1.png").arg(side)), Png(side));
    ok &= WriteFile(out.filePath(QStringLiteral("trezolin.ico")), Ico({16, 24, 32, 48, 64, 128, 256}));
    ok &= WriteFile(out.filePath(QStringLiteral("trezolin.icns")), Icns());
    return ok ? 0 : 1;
}
