// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/MetafileConverter.h"

#include <cstdlib>
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace tevrix {
namespace {

// An libwmf API set up for SVG output, destroyed with everything it
// allocated (the output buffer included).
class WmfApi {
public:
    WmfApi() {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None)
            m_api = nullptr;
    }
    ~WmfApi() {
        if (m_api)
            wmf_api_destroy(m_api);
    }
    WmfApi(const WmfApi&) = delete;
    WmfApi& operator=(const WmfApi&) = delete;

    wmfAPI* Get() const { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

} // namespace

QByteArray MetafileConverter::WmfToSvg(const QByteArray& wmf) {
    WmfApi api;
    wmfAPI* const API = api.Get();
    if (!API || wmf.isEmpty())
        return {};
    // libwmf reads the buffer without writing to it.
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(wmf.constData()));
    if (wmf_mem_open(API, bytes, wmf.size()) != wmf_E_None)
        return {};
    wmfD_Rect bounds;
    if (wmf_scan(API, 0, &bounds) != wmf_E_None)
        return {};
    wmf_svg_t* device = WMF_SVG_GetData(API);
    device->out = wmf_stream_create(API, nullptr); // output into memory
    device->bbox = bounds;
    device->flags |= WMF_SVG_INLINE_IMAGES;
    unsigned int width = 0;
    unsigned int height = 0;
    wmf_display_size(API, &width, &height, 96, 96);
    device->width = width;
    device->height = height;
    const bool played = wmf_play(API, 0, &bounds) == wmf_E_None;
    char* svg = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(API, device->out, &svg, &length);
    if (!played || !svg)
        return {};
    return QByteArray(svg, static_cast<qsizetype>(length));
}

QByteArray MetafileConverter::EmfToSvg(const QByteArray& emf) {
    if (emf.isEmpty())
        return {};
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    size_t length = 0;
    const int converted = emf2svg(const_cast<char*>(emf.constData()),
                                  static_cast<size_t>(emf.size()), &svg, &length, &options);
    QByteArray result;
    if (converted && svg)
        result = QByteArray(svg, static_cast<qsizetype>(length));
    std::free(svg);
    return result;
}

} // namespace tevrix
