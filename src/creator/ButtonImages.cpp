// Each image is drawn with GDI on a canvas four times its size (64 x 64 at
// 96 DPI), once over black and once over white; the core turns the two
// renderings into a smooth image with real alpha, which GDI alone would not
// draw. The drawings are in the units of the 96-DPI canvas; at other DPIs the
// canvas's mapping mode stretches them.
#include "creator/ButtonImages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/base/Errors.h"
#include "core/imaging/ImageDecoders.h"
#include "core/base/Dpi.h"
#include "core/creator/MessageBoxLayout.h"
#include "core/raster/Resamplers.h"
#include "core/raster/Supersampling.h"
#include "creator/PictureIds.h"
#include "shared/ExtraWinUtils.h"
#include "shared/DeviceBitmap.h"

namespace {

constexpr int kSize = 16;
constexpr int kScale = 4;
constexpr int kCanvas = kSize * kScale;
constexpr double kPi = 3.14159265358979323846;

using TDraw = void (*)(HDC dc);

// A canvas unit is one pixel of the final image.
int U(double units) { return static_cast<int>(std::lround(units * kScale)); }

TPen RoundPen(COLORREF color, double width) {
  LOGBRUSH brush = {BS_SOLID, color, 0};
  return TPen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, static_cast<DWORD>(U(width)),
                             &brush, 0, nullptr));
}

void FilledPolygon(HDC dc, const std::vector<POINT>& points, COLORREF fill, COLORREF outline, double outlineWidth) {
  const TBrush brush(::CreateSolidBrush(fill));
  const TPen pen = RoundPen(outline, outlineWidth);
  const TSelectObject selectBrush(dc, brush.Get());
  const TSelectObject selectPen(dc, pen.Get());
  ::Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void Ellipse(HDC dc, double left, double top, double right, double bottom, COLORREF fill, COLORREF outline,
             double outlineWidth) {
  const TBrush brush(::CreateSolidBrush(fill));
  const TPen pen = RoundPen(outline, outlineWidth);
  const TSelectObject selectBrush(dc, brush.Get());
  const TSelectObject selectPen(dc, pen.Get());
  ::Ellipse(dc, U(left), U(top), U(right), U(bottom));
}

void RoundRect(HDC dc, double left, double top, double right, double bottom, double corner, COLORREF fill,
               COLORREF outline) {
  const TBrush brush(::CreateSolidBrush(fill));
  const TPen pen = RoundPen(outline, 1);
  const TSelectObject selectBrush(dc, brush.Get());
  const TSelectObject selectPen(dc, pen.Get());
  ::RoundRect(dc, U(left), U(top), U(right), U(bottom), U(corner), U(corner));
}

void Stroke(HDC dc, const std::vector<POINT>& points, COLORREF color, double width) {
  const TPen pen = RoundPen(color, width);
  const TSelectObject selectPen(dc, pen.Get());
  ::Polyline(dc, points.data(), static_cast<int>(points.size()));
}

// The maker's logo: a brick-red rounded square with a white "B".
void DrawMakerLogo(HDC dc) {
  RoundRect(dc, 1, 1, 15, 15, 5, RGB(178, 58, 40), RGB(120, 34, 22));
  LOGFONTW description = {};
  description.lfHeight = -U(12);
  description.lfWeight = FW_BOLD;
  description.lfQuality = ANTIALIASED_QUALITY;
  lstrcpyW(description.lfFaceName, L"Arial");
  const TFont font(::CreateFontIndirectW(&description));
  const TSelectObject selectFont(dc, font.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(255, 255, 255));
  RECT box = {U(1), U(1), U(15), U(15)};
  ::DrawTextW(dc, L"B", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The product: a stack of three cards, fanned upwards.
void DrawProductLogo(HDC dc) {
  RoundRect(dc, 5, 1, 15, 9, 2, RGB(250, 214, 90), RGB(150, 110, 20));
  RoundRect(dc, 3, 4, 13, 12, 2, RGB(110, 190, 110), RGB(40, 110, 40));
  RoundRect(dc, 1, 7, 11, 15, 2, RGB(90, 150, 230), RGB(30, 70, 150));
}

// Preferences: a gear with eight teeth and a hole.
void DrawPreferences(HDC dc) {
  std::vector<POINT> outline;
  const double centre = 8;
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    // Each tooth: two points on the outer radius, two on the inner one.
    const double angle = (i - 0.5) * 2 * kPi / (teeth * 4);
    const double radius = (i % 4 < 2) ? 7.3 : 5.3;
    outline.push_back({U(centre + radius * std::cos(angle)), U(centre + radius * std::sin(angle))});
  }
  FilledPolygon(dc, outline, RGB(140, 146, 156), RGB(70, 76, 86), 0.8);
  Ellipse(dc, 5.6, 5.6, 10.4, 10.4, RGB(255, 255, 255), RGB(70, 76, 86), 0.8);
}

// A new version: a globe with a green arrow pointing down over it.
void DrawNewVersion(HDC dc) {
  Ellipse(dc, 0.8, 0.8, 13.2, 13.2, RGB(96, 160, 230), RGB(30, 80, 160), 0.8);
  const COLORREF line = RGB(30, 80, 160);
  Stroke(dc, {{U(1), U(7)}, {U(13), U(7)}}, line, 0.7);
  Stroke(dc, {{U(7), U(1)}, {U(7), U(13)}}, line, 0.7);
  {
    const TPen pen = RoundPen(line, 0.7);
    const TSelectObject selectPen(dc, pen.Get());
    const TSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, U(4), U(1), U(10), U(13));
  }
  FilledPolygon(
      dc,
      {{U(9), U(6)}, {U(13), U(6)}, {U(13), U(10)}, {U(15.5), U(10)}, {U(11), U(15.5)}, {U(6.5), U(10)}, {U(9), U(10)}},
      RGB(60, 180, 60), RGB(20, 110, 20), 0.8);
}

void DrawOk(HDC dc) {
  Stroke(dc, {{U(2.5), U(8.5)}, {U(6.5), U(12.5)}, {U(13.5), U(3.5)}}, RGB(20, 120, 30), 3.2);
  Stroke(dc, {{U(2.5), U(8.5)}, {U(6.5), U(12.5)}, {U(13.5), U(3.5)}}, RGB(70, 190, 70), 1.8);
}

// A dark rim first, the bright stroke over it.
void DrawCancel(HDC dc) {
  const struct {
    COLORREF Color;
    double Width;
  } strokes[] = {{RGB(150, 20, 20), 3.2}, {RGB(225, 60, 50), 1.8}};
  for (const auto& stroke : strokes) {
    Stroke(dc, {{U(3.5), U(3.5)}, {U(12.5), U(12.5)}}, stroke.Color, stroke.Width);
    Stroke(dc, {{U(12.5), U(3.5)}, {U(3.5), U(12.5)}}, stroke.Color, stroke.Width);
  }
}

// A 32-bit top-down DIB section and its pixels.
struct TDib {
  TBitmap Bitmap;
  TColor32* Bits = nullptr;
};

TDib CreateDib(int width, int height) {
  TDib dib;
  dib.Bitmap = CreateTopDownDib(nullptr, width, height, dib.Bits);
  if (!dib.Bitmap) throw EError(L"Cannot create the button images.");
  return dib;
}

// The drawing on a canvas of one colour for images of a size, as a 32-bit
// image (a DIB's pixels are the image's pixels: blue in the low byte).
TBitmap32 RenderOver(TDraw draw, COLORREF background, int size) {
  const int canvasSize = size * kScale;
  TDib canvas = CreateDib(canvasSize, canvasSize);
  const TMemoryDC dc(::CreateCompatibleDC(nullptr));
  const TSelectObject select(dc.Get(), canvas.Bitmap.Get());
  const TBrush brush(::CreateSolidBrush(background));
  RECT all = {0, 0, canvasSize, canvasSize};
  ::FillRect(dc.Get(), &all, brush.Get());
  if (size != kSize) {
    ::SetMapMode(dc.Get(), MM_ANISOTROPIC);
    ::SetWindowExtEx(dc.Get(), kCanvas, kCanvas, nullptr);
    ::SetViewportExtEx(dc.Get(), canvasSize, canvasSize, nullptr);
  }
  draw(dc.Get());
  ::GdiFlush();
  TBitmap32 image(canvasSize, canvasSize);
  std::copy(canvas.Bits, canvas.Bits + canvasSize * canvasSize, image.Bits());
  return image;
}

// One image of a size with straight (not premultiplied) alpha, as icons hold it.
TDib Render(TDraw draw, int size) {
  const TBitmap32 image = ImageFromBlackAndWhiteRenderings(RenderOver(draw, RGB(0, 0, 0), size),
                                                           RenderOver(draw, RGB(255, 255, 255), size), kScale);
  TDib dib = CreateDib(size, size);
  std::copy(image.Bits(), image.Bits() + size * size, dib.Bits);
  return dib;
}

}  // namespace

void CreateButtonImages(TImageList& images, int dpi) {
  const int size = ScaleForDpi(kSize, dpi);
  images.Create(size, size, ILC_COLOR32, kButtonImageCount);
  const TDraw drawings[kButtonImageCount] = {&DrawMakerLogo,  &DrawProductLogo, &DrawPreferences,
                                             &DrawNewVersion, &DrawOk,          &DrawCancel};
  for (TDraw draw : drawings) {
    const TDib image = Render(draw, size);
    if (::ImageList_Add(images.Handle(), image.Bitmap.Get(), nullptr) < 0) {
      throw EError(L"Cannot create the button images.");
    }
  }
}

TBitmap32 LoadPictureResource(int id) {
  const TResourceBytes bytes = ProgramRawData(MAKEINTRESOURCEW(id));
  if (!bytes.Data) throw EError(L"The program's picture " + std::to_wstring(id) + L" is missing.");
  return DecodePngBytes(bytes.Data, bytes.Size, L"picture " + std::to_wstring(id));
}

TBitmap32 ScalePicture(const TBitmap32& picture, int width, int height) {
  if (picture.Width() == width && picture.Height() == height) return picture;
  TBitmap32 source = picture;
  source.SetDrawMode(TDrawMode::Opaque);
  source.SetResampler(LinearResampler());
  TBitmap32 scaled(width, height);
  StretchBitmap(scaled, TRectI{0, 0, width, height}, source);
  scaled.SetDrawMode(picture.DrawMode());
  return scaled;
}

void CreateMessageButtonImages(TImageList& images, int dpi) {
  const int size = ScaleForDpi(kSize, dpi);
  images.Create(size, size, ILC_COLOR32, kMessageButtonImageCount);
  for (int i = 0; i < kMessageButtonImageCount; ++i) {
    const TBitmap32 picture = ScalePicture(LoadPictureResource(kButtonImageResource + i), size, size);
    const TBitmap bitmap = CreateDeviceBitmap(picture, TDibAlpha::Straight);
    if (!bitmap || ::ImageList_Add(images.Handle(), bitmap.Get(), nullptr) < 0) {
      throw EError(L"Cannot create the button images.");
    }
  }
}
