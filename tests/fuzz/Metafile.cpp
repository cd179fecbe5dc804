// A wheel picture: the metafile check, then libwmf playing the checked bytes
// onto an offscreen QPainter, text included.
#include <QByteArray>
#include <QGuiApplication>
#include <QSize>

#include <memory>

#include "FuzzHilfe.h"
#include "WmfPlayer.h"
#include "WmfPruefung.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app(new QGuiApplication(*argc, *argv));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse > size_t(wmf::detail::kMaxFileSize)) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    const auto layout = wmf::detail::checkFile(bytes);
    if (layout)
        wx::fuzz::verlange(layout->length > 0 && layout->length <= bytes.size(),
                           "checked part beyond the file");
    const QImage bild = wmf::renderBytes(bytes, QSize(48, 48));
    wx::fuzz::verlange(bild.isNull() || layout.has_value(), "an unchecked file was drawn");
    return 0;
}
