#include "Pictures.h"

#include "Dpi.h"

#include <wincodec.h>

#include <cwchar>
#include <iterator>

namespace {

// The scales the build draws every picture at, in percent (cmake/windows.cmake).
constexpr int kStoredScales[] = {100, 125, 150, 175, 200, 250, 300};

struct Png {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Png Resource(int id, int percent) {
    wchar_t type[16];
    std::swprintf(type, 16, L"PNG%d", percent);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr) return {};
    return Png{static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

// Width and height from the PNG header.
SIZE SizeOf(const Png& png) {
    auto number = [&](int at) {
        return static_cast<LONG>(png.data[at] << 24 | png.data[at + 1] << 16 | png.data[at + 2] << 8 | png.data[at + 3]);
    };
    return png.size >= 24 ? SIZE{number(16), number(20)} : SIZE{};
}

// The smallest stored scale drawn at least as large as `dpi` asks for, or the largest.
int StoredScaleFor(UINT dpi) {
    for (int percent : kStoredScales)
        if (static_cast<UINT>(percent) * dpi::kBase >= dpi * 100) return percent;
    return kStoredScales[std::size(kStoredScales) - 1];
}

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (m_pointer != nullptr) m_pointer->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface** operator&() { return &m_pointer; }
    Interface* operator->() const { return m_pointer; }
    Interface* get() const { return m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

// COM for this thread for as long as it is needed, whoever started it.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(m_result)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

HBITMAP Decode(const Png& png, SIZE size) {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapScaler> scaler;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data), png.size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)))
        return nullptr;
    IWICBitmapSource* source = frame.get();
    UINT width = 0, height = 0;
    frame->GetSize(&width, &height);
    if (width != static_cast<UINT>(size.cx) || height != static_cast<UINT>(size.cy)) {
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(source, static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                      WICBitmapInterpolationModeFant)))
            return nullptr;
        source = scaler.get();
    }
    // 24 bits and no alpha: a static control shows such a bitmap as it is.
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const UINT stride = (static_cast<UINT>(size.cx) * 3 + 3) & ~3u;
    if (bitmap != nullptr && FAILED(converter->CopyPixels(nullptr, stride, stride * static_cast<UINT>(size.cy),
                                                         static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

}  // namespace

HBITMAP LoadPicture(int id, UINT dpi) {
    const SIZE base = SizeOf(Resource(id, 100));
    const Png png = Resource(id, StoredScaleFor(dpi));
    if (base.cx <= 0 || base.cy <= 0 || png.data == nullptr) return nullptr;
    return Decode(png, SIZE{dpi::Scale(base.cx, dpi), dpi::Scale(base.cy, dpi)});
}
