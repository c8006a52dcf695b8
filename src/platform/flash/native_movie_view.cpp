#include "platform/flash/native_movie_view.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "platform/swf/morph_records.h"

namespace qm {
namespace {

// Flash's gradients span this square of twips before their matrix.
constexpr double kGradientHalf = 16384;

QColor toQColor(swf::Colour colour, const swf::ColourTransform& transform) {
  const swf::Colour shown = transform.apply(colour);
  return QColor(shown.red, shown.green, shown.blue, shown.alpha);
}

QTransform toQTransform(const swf::Matrix& m) {
  return QTransform(m.scaleX, m.rotateSkew0, m.rotateSkew1, m.scaleY, m.translateX, m.translateY);
}

void addEdges(QPainterPath& path, const std::vector<swf::Edge>& edges) {
  path.moveTo(edges.front().from.x, edges.front().from.y);
  for (const swf::Edge& edge : edges) {
    if (edge.control)
      path.quadTo(edge.control->x, edge.control->y, edge.to.x, edge.to.y);
    else
      path.lineTo(edge.to.x, edge.to.y);
  }
}

// The bitmap as the movie holds it: decoded here when it is JPEG, PNG or
// GIF data. One that does not decode shows nothing, as in Flash.
QImage toQImage(const swf::Bitmap& bitmap) {
  if (bitmap.jpeg.empty()) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < bitmap.height; ++y)
      std::copy_n(bitmap.pixels.data() + size_t(y) * size_t(bitmap.width), bitmap.width,
                  reinterpret_cast<uint32_t*>(image.scanLine(y)));
    return image;
  }
  QImage image = QImage::fromData(bitmap.jpeg.data(), static_cast<int>(bitmap.jpeg.size()));
  if (image.isNull() || image.size() != QSize(bitmap.width, bitmap.height)) return QImage();
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (!bitmap.alpha.empty()) {
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        // The colours are premultiplied already: they are only kept within
        // their alpha.
        const int alpha = bitmap.alpha[size_t(y) * size_t(image.width()) + size_t(x)];
        const QRgb pixel = line[x];
        line[x] =
            qRgba(std::min(qRed(pixel), alpha), std::min(qGreen(pixel), alpha), std::min(qBlue(pixel), alpha), alpha);
      }
    }
  }
  return image;
}

// The bitmap through a colour transform; one that changes only the alpha is
// left to the painter's opacity.
QImage tinted(const QImage& image, const swf::ColourTransform& colour) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const swf::Colour shown = colour.apply(swf::Colour{uint8_t(qRed(line[x])), uint8_t(qGreen(line[x])),
                                                         uint8_t(qBlue(line[x])), uint8_t(qAlpha(line[x]))});
      line[x] = qRgba(shown.red, shown.green, shown.blue, shown.alpha);
    }
  }
  return out;
}

bool onlyAlpha(const swf::ColourTransform& colour) {
  return colour.multiply[0] == 256 && colour.multiply[1] == 256 && colour.multiply[2] == 256 && colour.add[0] == 0 &&
         colour.add[1] == 0 && colour.add[2] == 0 && colour.add[3] == 0 && colour.multiply[3] >= 0;
}

QBrush gradientBrush(const swf::Gradient& gradient, const swf::ColourTransform& transform) {
  QGradient shade = gradient.kind == swf::Gradient::Kind::kLinear
                        ? QGradient(QLinearGradient(-kGradientHalf, 0, kGradientHalf, 0))
                        : QGradient(QRadialGradient(0, 0, kGradientHalf));
  static constexpr QGradient::Spread kSpreads[] = {QGradient::PadSpread, QGradient::ReflectSpread,
                                                   QGradient::RepeatSpread};
  shade.setSpread(kSpreads[static_cast<int>(gradient.spread)]);
  // Two stops at one ratio make a hard edge; Qt keeps only the last stop at
  // a position, so the second goes a hair further on.
  double last = -1;
  for (const auto& [ratio, colour] : gradient.stops) {
    const double at = std::max(ratio / 255.0, std::nextafter(last, 2.0));
    shade.setColorAt(std::min(at, 1.0), toQColor(colour, transform));
    last = at;
  }
  QBrush brush(shade);
  brush.setTransform(toQTransform(gradient.matrix));
  return brush;
}

}  // namespace

NativeMovieView::NativeMovieView(const NativeMovieEngine& engine, QWidget* parent) : QWidget(parent), engine_(engine) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  frames_.setSingleShot(true);
  QObject::connect(&frames_, &QTimer::timeout, this, [this] { refresh(); });
}

void NativeMovieView::refresh() {
  const auto drawing = engine_.drawing();
  if (drawing != prepared_) {
    prepared_ = drawing;
    shapes_.clear();
    bitmaps_.clear();
    tinted_.clear();
    morphs_.clear();
    if (prepared_) prepare(*prepared_);
    painted_ = nullptr;
    update();
  }
  const swf::DisplayList* shown = engine_.shownFrame();
  const bool clipsChange = prepared_ && prepared_->clipsChange;
  if (shown != painted_ || (clipsChange && engine_.clockFrames() != paintedClock_)) update();
  // Woken at the next frame only while something on the screen moves; a
  // still movie, or a stopped one whose clips have all stopped too, costs
  // nothing after its paint.
  const bool clipsMove = clipsChange && shown && !clipsStill(*shown, std::nullopt);
  if ((prepared_ && prepared_->framesChange && engine_.IsPlaying()) || clipsMove)
    frames_.start(std::max(1, engine_.untilNextFrame()));
  else
    frames_.stop();
}

void NativeMovieView::resizeEvent(QResizeEvent*) { update(); }

namespace {

// The painter paths of a shape's parts, which point into the shape.
std::vector<NativeMovieView::PreparedPart> preparedParts(const swf::Shape& shape) {
  std::vector<NativeMovieView::PreparedPart> parts;
  for (const swf::ShapePart& part : shape.parts) {
    NativeMovieView::PreparedPart prepared{QPainterPath(), &part};
    if (const auto* area = std::get_if<swf::FilledArea>(&part)) {
      prepared.path.setFillRule(Qt::WindingFill);
      for (const auto& contour : area->contours) {
        addEdges(prepared.path, contour);
        prepared.path.closeSubpath();
      }
    } else {
      const auto& outline = std::get<swf::Outline>(part);
      for (const auto& stroke : outline.strokes) {
        addEdges(prepared.path, stroke);
        // A stroke back where it began is joined there, not capped twice.
        if (!outline.noClose && stroke.back().to == stroke.front().from) prepared.path.closeSubpath();
      }
    }
    parts.push_back(std::move(prepared));
  }
  return parts;
}

}  // namespace

void NativeMovieView::prepare(const swf::DrawnMovie& movie) {
  for (const auto& [id, bitmap] : movie.bitmaps) bitmaps_[id] = toQImage(bitmap);
  for (const auto& [id, shape] : movie.shapes) shapes_[id] = preparedParts(shape);
}

// A morph shape is made at each ratio it is drawn at; the last one made is
// kept, as a tween's frame is painted more than once.
const std::vector<NativeMovieView::PreparedPart>& NativeMovieView::morphAt(uint16_t id, const swf::MorphShape& morph,
                                                                           uint16_t ratio) {
  MorphAtRatio& made = morphs_[id];
  if (!made.shape || made.ratio != ratio) {
    made.ratio = ratio;
    made.shape = std::make_unique<swf::Shape>(swf::morphAt(morph, ratio));
    made.parts = preparedParts(*made.shape);
  }
  return made.parts;
}

// The scale modes are Flash's: show all (the whole stage, its shape kept),
// no border (the view filled, the stage's shape kept, its edges cut) and
// exact fit (the stage stretched over the view); the stage stays centred.
QTransform NativeMovieView::stageToView(const swf::DrawnMovie& movie) const {
  const double stageWidth = std::max(1, movie.stage.xMax - movie.stage.xMin);
  const double stageHeight = std::max(1, movie.stage.yMax - movie.stage.yMin);
  double scaleX = width() / stageWidth;
  double scaleY = height() / stageHeight;
  if (engine_.ScaleMode() == 0) scaleX = scaleY = std::min(scaleX, scaleY);
  if (engine_.ScaleMode() == 1) scaleX = scaleY = std::max(scaleX, scaleY);
  const double left = (width() - stageWidth * scaleX) / 2 - movie.stage.xMin * scaleX;
  const double top = (height() - stageHeight * scaleY) / 2 - movie.stage.yMin * scaleY;
  return QTransform(scaleX, 0, 0, scaleY, left, top);
}

void NativeMovieView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const std::optional<uint32_t> stage = engine_.stageColour();
  if (letterbox_ && stage && prepared_) {
    painter.fillRect(rect(), Qt::black);
    const swf::Rect& bounds = prepared_->stage;
    const QRectF stageArea(bounds.xMin, bounds.yMin, bounds.xMax - bounds.xMin, bounds.yMax - bounds.yMin);
    painter.fillRect(stageToView(*prepared_).mapRect(stageArea), QColor::fromRgb(*stage));
  } else {
    painter.fillRect(rect(), stage ? QColor::fromRgb(*stage) : QColor(Qt::black));
  }
  const swf::DisplayList* frame = engine_.shownFrame();
  painted_ = frame;
  paintedClock_ = engine_.clockFrames();
  if (!frame || !prepared_ || engine_.drawing() != prepared_) return;
  painter.setRenderHint(QPainter::Antialiasing);
  drawList(painter, *frame, stageToView(*prepared_), swf::ColourTransform{}, std::nullopt);
  // The window's backing store goes to the screen right after the paint,
  // before the event loop turns again.
  if (afterPaint_) QTimer::singleShot(0, this, std::exchange(afterPaint_, {}));
}

// The frame a clip placed on a timeline shows, and its time for the clips
// within it.
std::pair<const swf::DisplayList*, NativeMovieView::ClipTime> NativeMovieView::clipFrame(
    const swf::Placement& placed, const swf::Frames& frames, std::optional<ClipTime> time) const {
  const uint64_t passed = time ? swf::clipFramesPassed(placed, time->elapsed, time->frame, time->sinceEntered)
                               : engine_.clipFramesPassed(placed.depth);
  const auto stop = prepared_->clipStops.find(placed.characterId);
  // Stopped there: what it placed on that frame plays on.
  if (stop != prepared_->clipStops.end() && passed >= stop->second)
    return {frames[stop->second].get(), ClipTime{passed, stop->second, passed - stop->second}};
  const uint64_t frame = passed % frames.size();
  return {frames[frame].get(), ClipTime{passed, frame, 0}};
}

void NativeMovieView::drawList(QPainter& painter, const swf::DisplayList& list, const QTransform& transform,
                               const swf::ColourTransform& colour, std::optional<ClipTime> time) {
  // Masks in force, in the view's pixels: each shows what lies on the
  // depths above it, up to its clip depth, only within its filled areas.
  std::vector<std::pair<uint16_t, QPainterPath>> masks;
  for (const swf::Placement& placed : list) {
    std::erase_if(masks, [&](const auto& mask) { return mask.first < placed.depth; });
    const QTransform placedTransform = toQTransform(placed.matrix) * transform;
    if (placed.clipDepth) {
      QPainterPath area;
      area.setFillRule(Qt::WindingFill);
      addMaskArea(area, placed, placedTransform, time);
      masks.emplace_back(placed.clipDepth, std::move(area));
      continue;
    }
    if (!placed.visible) continue;
    if (!masks.empty()) {
      painter.save();
      painter.setTransform(QTransform());
      for (const auto& [depth, area] : masks)
        painter.setClipPath(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    const swf::ColourTransform placedColour = placed.colour.then(colour);
    if (const auto shape = shapes_.find(placed.characterId); shape != shapes_.end()) {
      painter.setTransform(placedTransform);
      drawShape(painter, shape->second, placedColour);
    } else if (const auto morph = prepared_->morphs.find(placed.characterId); morph != prepared_->morphs.end()) {
      painter.setTransform(placedTransform);
      drawShape(painter, morphAt(morph->first, morph->second, placed.ratio), placedColour);
    } else if (const auto clip = prepared_->clips.find(placed.characterId); clip != prepared_->clips.end()) {
      const auto [frame, clipTime] = clipFrame(placed, clip->second, time);
      drawList(painter, *frame, placedTransform, placedColour, clipTime);
    }
    if (!masks.empty()) painter.restore();
  }
}

// Whether every clip in the list, and in those clips, shows one frame for
// good: it has only one, or it has come to its stop().
bool NativeMovieView::clipsStill(const swf::DisplayList& list, std::optional<ClipTime> time) const {
  for (const swf::Placement& placed : list) {
    const auto clip = prepared_->clips.find(placed.characterId);
    if (clip == prepared_->clips.end()) continue;
    const auto [frame, clipTime] = clipFrame(placed, clip->second, time);
    const auto stop = prepared_->clipStops.find(placed.characterId);
    const bool stopped =
        clip->second.size() == 1 || (stop != prepared_->clipStops.end() && clipTime.elapsed >= stop->second);
    if (!stopped || !clipsStill(*frame, clipTime)) return false;
  }
  return true;
}

// A mask's area is the fills of what it draws; its outlines, and masks
// within it, do not count.
void NativeMovieView::addMaskArea(QPainterPath& area, const swf::Placement& placed, const QTransform& transform,
                                  std::optional<ClipTime> time) {
  const std::vector<PreparedPart>* parts = nullptr;
  if (const auto shape = shapes_.find(placed.characterId); shape != shapes_.end()) {
    parts = &shape->second;
  } else if (const auto morph = prepared_->morphs.find(placed.characterId); morph != prepared_->morphs.end()) {
    parts = &morphAt(morph->first, morph->second, placed.ratio);
  } else if (const auto clip = prepared_->clips.find(placed.characterId); clip != prepared_->clips.end()) {
    const auto [frame, clipTime] = clipFrame(placed, clip->second, time);
    for (const swf::Placement& inner : *frame)
      if (!inner.clipDepth) addMaskArea(area, inner, toQTransform(inner.matrix) * transform, clipTime);
  }
  if (!parts) return;
  for (const PreparedPart& part : *parts)
    if (std::holds_alternative<swf::FilledArea>(*part.part)) area.addPath(transform.map(part.path));
}

void NativeMovieView::fillWithBitmap(QPainter& painter, const QPainterPath& path, const swf::BitmapFill& fill,
                                     const swf::ColourTransform& colour) {
  const auto found = bitmaps_.find(fill.bitmapId);
  if (found == bitmaps_.end() || found->second.isNull()) return;
  const bool alphaOnly = onlyAlpha(colour);
  // A tint is made once for each bitmap and transform in a row: a frame
  // painted again, or a bitmap placed many times in one tint, reuses it.
  TintedBitmap& last = tinted_[fill.bitmapId];
  if (!alphaOnly && (last.image.isNull() || !(last.colour == colour))) last = {colour, tinted(found->second, colour)};
  QBrush brush(alphaOnly ? found->second : last.image);
  brush.setTransform(toQTransform(fill.matrix));
  painter.save();
  if (alphaOnly) painter.setOpacity(std::min(1.0, colour.multiply[3] / 256.0));
  painter.setRenderHint(QPainter::SmoothPixmapTransform, fill.smooth);
  painter.fillPath(path, brush);
  painter.restore();
}

void NativeMovieView::drawShape(QPainter& painter, const std::vector<PreparedPart>& parts,
                                const swf::ColourTransform& colour) {
  for (const PreparedPart& prepared : parts) {
    if (const auto* area = std::get_if<swf::FilledArea>(prepared.part)) {
      if (const auto* solid = std::get_if<swf::Colour>(&area->fill))
        painter.fillPath(prepared.path, toQColor(*solid, colour));
      else if (const auto* gradient = std::get_if<swf::Gradient>(&area->fill))
        painter.fillPath(prepared.path, gradientBrush(*gradient, colour));
      else
        fillWithBitmap(painter, prepared.path, std::get<swf::BitmapFill>(area->fill), colour);
    } else {
      const auto& outline = std::get<swf::Outline>(*prepared.part);
      static constexpr Qt::PenCapStyle kCaps[] = {Qt::RoundCap, Qt::FlatCap, Qt::SquareCap};
      static constexpr Qt::PenJoinStyle kJoins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
      // Width 0 is Qt's one-pixel line at any scale, as Flash's hairline.
      QPen pen(toQColor(outline.colour, colour), outline.width, Qt::SolidLine, kCaps[static_cast<int>(outline.cap)],
               kJoins[static_cast<int>(outline.join)]);
      // Flash's limit is in half widths, Qt's in whole ones.
      pen.setMiterLimit(outline.miterLimit / 2);
      painter.strokePath(prepared.path, pen);
    }
  }
}

}  // namespace qm
