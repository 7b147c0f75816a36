// SPDX-License-Identifier: GPL-3.0-or-later

// The renderer with anything a job could hand it: a small picture of any
// format, lines whose boxes hold any double (NaN, infinities, huge, negative)
// or a sensible fraction, strings of any script and length (words far wider
// than their plate included), and a translation list of any length. It
// returns a picture of the source's size and never crashes.
#include "RenderOverlay.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Letters of every script the app meets and some it does not, with marks,
// joiners, direction controls and spaces of other widths.
constexpr char16_t alphabet[] =
    u"aZ09 .,!?-_\u00e9\u00df\u05e9\u05dc\u05d5\u05dd\u05b8\u0627\u0644\u0639\u0631\u0628\u064a"
    u"\u0416\u0436\u4e2d\u6587\u65e5\u0915\u093f\u0e01\u0e34\u200d\u200e\u200f\u202e\u2066"
    u"\u00a0\u3000\n\r\u2029\t\u0301\U0001F600\U0001F1EE\U0001F1F1";

QString text(FuzzedDataProvider &input)
{
    const size_t length = input.ConsumeBool() ? input.ConsumeIntegralInRange<size_t>(0, 40)
                                              : input.ConsumeIntegralInRange<size_t>(0, 600);
    if (input.ConsumeBool()) {
        std::u16string units;
        for (size_t i = 0; i < length; ++i)
            units += alphabet[input.ConsumeIntegralInRange<size_t>(0, std::size(alphabet) - 2)];
        return QString::fromStdU16String(units);
    }
    const std::string bytes = input.ConsumeBytesAsString(length);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

double coordinate(FuzzedDataProvider &input)
{
    return input.ConsumeBool() ? input.ConsumeFloatingPointInRange(-0.2, 1.2) : input.ConsumeFloatingPoint<double>();
}

constexpr QImage::Format formats[] = {
    QImage::Format_RGB32,      QImage::Format_ARGB32,   QImage::Format_ARGB32_Premultiplied,
    QImage::Format_Grayscale8, QImage::Format_Indexed8, QImage::Format_Mono,
    QImage::Format_RGB16,      QImage::Format_RGBA64,   QImage::Format_RGB888,
    QImage::Format_Alpha8};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QSize picture(input.ConsumeIntegralInRange(1, 96), input.ConsumeIntegralInRange(1, 96));
    QImage source(picture, formats[input.ConsumeIntegralInRange<size_t>(0, std::size(formats) - 1)]);
    if (source.format() == QImage::Format_Indexed8)
        source.setColorTable({qRgba(0, 0, 0, 255), qRgba(255, 255, 255, 0), qRgba(30, 90, 200, 128)});
    if (source.format() == QImage::Format_Mono)
        source.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const std::string pixels = input.ConsumeBytesAsString(size_t(source.sizeInBytes()));
    std::memcpy(source.bits(), pixels.data(), pixels.size());

    TextItems items(input.ConsumeIntegralInRange(0, 6));
    for (TextItem &item : items) {
        item.box = QRectF(coordinate(input), coordinate(input), coordinate(input), coordinate(input));
        item.text = text(input);
    }
    QStringList translated(input.ConsumeIntegralInRange(0, 8));
    for (QString &line : translated)
        line = text(input);

    const QImage overlay = renderOverlay(source, items, translated);
    if (overlay.size() != picture)
        std::abort();
    return 0;
}
