// WIC decoding to premultiplied BGRA and Fant resampling; see wic_codec.h.
#include "toolkit/win32/wic_codec.h"

#include <wincodec.h>

#include <stdexcept>
#include <string>

#include "toolkit/jpeg_layout.h"
#include "toolkit/toolkit_error.h"
#include "toolkit/win32/com_ptr.h"
#include "toolkit/win32/wide.h"

namespace toolkit::win32 {

struct WicCodec::Factory {
    ComPtr<IWICImagingFactory> wic;
};

namespace {

// `name` is the picture's name in errors.
std::unique_ptr<Bitmap> copyOut(IWICImagingFactory* wic, IWICBitmapSource* source, const std::string& name) {
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(wic->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        throw ToolkitError(ToolkitFault::PictureUnconvertible, name);
    UINT width = 0, height = 0;
    converter->GetSize(&width, &height);
    auto bitmap = std::make_unique<Bitmap>(static_cast<int>(width), static_cast<int>(height));
    if (FAILED(converter->CopyPixels(nullptr, bitmap->stride(), bitmap->byteSize(),
                                     reinterpret_cast<BYTE*>(bitmap->pixels()))))
        throw ToolkitError(ToolkitFault::PictureUndecodable, name);
    return bitmap;
}

// The first frame of the picture in `bytes` (which must outlive it); empty when WIC cannot
// read it or, with `format`, when the container is another one.
ComPtr<IWICBitmapFrameDecode> firstFrame(IWICImagingFactory* wic, const void* bytes, std::size_t size,
                                         const GUID* format) {
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    GUID container{};
    if (FAILED(wic->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(size))) ||
        FAILED(wic->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        (format && (FAILED(decoder->GetContainerFormat(&container)) || container != *format)))
        return frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) frame.reset();
    return frame;
}

// The file's bytes; false when it cannot be opened or read, or is larger than WIC's streams take.
bool readWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                               got == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

}  // namespace

WicCodec::WicCodec() : factory_(std::make_unique<Factory>()) {
    // Headless runs (pakiet, tests) decode covers without the window backend, which is what
    // otherwise starts COM; WIC needs it on this thread. Started for the thread's life and never
    // stopped (pictures may outlive the codec), so a repeated start only counts once more; a
    // thread that already runs COM in another apartment keeps it, which serves WIC as well.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory_->wic.putVoid())))
        throw ToolkitError(ToolkitFault::NoPictureDecoder, "", "WIC");
}

WicCodec::~WicCodec() = default;

std::unique_ptr<Bitmap> WicCodec::decodeJpegFile(const std::string& path) const {
    const ToolkitError refusal(ToolkitFault::NotAJpeg, path);
    // Read whole and checked first: WIC shows a cut file with a grey rest where libjpeg calls
    // it damaged, and the two systems must refuse the same covers.
    std::string bytes;
    if (!readWholeFile(path, bytes) || !readJpegLayout(bytes).complete) throw refusal;
    const ComPtr<IWICBitmapFrameDecode> frame =
        firstFrame(factory_->wic.get(), bytes.data(), bytes.size(), &GUID_ContainerFormatJpeg);
    if (!frame) throw refusal;
    try {
        return copyOut(factory_->wic.get(), frame.get(), path);
    } catch (const ToolkitError&) {
        throw refusal;
    }
}

std::unique_ptr<Bitmap> WicCodec::decodeMemory(const void* bytes, std::size_t size, const std::string& what) const {
    const ComPtr<IWICBitmapFrameDecode> frame = firstFrame(factory_->wic.get(), bytes, size, nullptr);
    if (!frame) throw ToolkitError(ToolkitFault::PictureUndecodable, what);
    return copyOut(factory_->wic.get(), frame.get(), what);
}

std::unique_ptr<Bitmap> WicCodec::scale(const Bitmap& source, int width, int height) const {
    ComPtr<IWICBitmap> wrapped;
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory_->wic->CreateBitmapFromMemory(
            static_cast<UINT>(source.width()), static_cast<UINT>(source.height()), GUID_WICPixelFormat32bppPBGRA,
            source.stride(), source.byteSize(), reinterpret_cast<BYTE*>(source.pixels()), wrapped.put())) ||
        FAILED(factory_->wic->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(wrapped.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                  WICBitmapInterpolationModeFant)))
        throw ToolkitError(ToolkitFault::PictureUnscalable, ToolkitError::sizeName(width, height));
    try {
        return copyOut(factory_->wic.get(), scaler.get(), ToolkitError::sizeName(width, height));
    } catch (const ToolkitError&) {
        throw ToolkitError(ToolkitFault::PictureUnscalable, ToolkitError::sizeName(width, height));
    }
}

}  // namespace toolkit::win32
