// Draws Plenamar's own artwork: the six toolbar icons, the faces of the sample
// box "Plenamar 2007" with its cover file, the four default previews and the
// program's icon for menus and file managers.
//
// The generated files are committed; re-make them after changing this file:
//
//   cmake -S . -B build -G Ninja && ninja -C build make_artwork
//   build/tools/make_artwork            # writes into this source tree
//   build/tools/make_artwork <dir>      # or under another root directory
//
// It writes assets/icons/*.png, assets/previews/*.jpg, sample/* (the five
// face images, sample.cov and free-standing.cov, and for plenamar-render a
// sleeve scan and a die-cut front) and assets/appicon/ (the
// program's icon as plenamar-<size>.png for each size the desktop asks for,
// and plenamar.svg). The output depends only on this file, Qt's
// raster painter and the DejaVu Sans fonts, so a re-run gives the same pictures.
//
// How the faces sit on the box: every face image is drawn upright. The cover
// faces and the spine side show their picture upright and unmirrored; the
// spine's left edge meets the front cover's right edge, so the sea at the
// bottom of the cover runs on round the corner. The top face turns its picture
// a quarter turn clockwise as seen from the front (the picture's top edge lies
// along the spine side, its right edge along the front cover), so the top
// picture carries its lettering a quarter turn anticlockwise.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPaintEngine>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Brand colours.
const QColor Navy(4, 26, 66);
const QColor DeepBlue(9, 58, 120);
const QColor Ocean(12, 104, 158);
const QColor Teal(18, 160, 178);
const QColor Foam(190, 244, 250);
const QColor Sun(255, 160, 28);
const QColor SunLight(255, 206, 84);

// ---------------------------------------------------------------------------
// Small helpers

QFont BrandFont(int pixelSize, bool bold)
{
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

// The outline of a line of text with its left end of the baseline at the origin.
QPainterPath TextPath(const QString &text, int pixelSize, bool bold, double spacing = 0)
{
  QFont font = BrandFont(pixelSize, bold);
  if (spacing != 0)
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  QPainterPath path;
  path.addText(0, 0, font, text);
  return path;
}

// A path moved so that its bounding box is centred horizontally on x with its
// baseline (the path's y = 0) at y.
QPainterPath CentredAt(const QPainterPath &path, double x, double y)
{
  const QRectF box = path.boundingRect();
  return path.translated(x - box.center().x(), y);
}

QPainterPath Slanted(const QPainterPath &path)
{
  return QTransform().shear(-0.2, 0).map(path);
}

// Deterministic lattice noise, periodic in x with the given period.
double Lattice(int x, int y, int period, std::uint32_t seed)
{
  x = ((x % period) + period) % period;
  std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 374761393u) ^
                    (static_cast<std::uint32_t>(y) * 668265263u);
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0x1000000);
}

double SmoothNoise(double x, double y, int period, std::uint32_t seed)
{
  const int ix = int(std::floor(x)), iy = int(std::floor(y));
  const double fx = x - ix, fy = y - iy;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = Lattice(ix, iy, period, seed), b = Lattice(ix + 1, iy, period, seed);
  const double c = Lattice(ix, iy + 1, period, seed), d = Lattice(ix + 1, iy + 1, period, seed);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Four octaves of noise in [0, 1), periodic in x over `period` lattice cells.
double Fractal(double x, double y, int period, std::uint32_t seed)
{
  double sum = 0, weight = 0.5, total = 0;
  for (int octave = 0; octave < 4; ++octave) {
    sum += weight * SmoothNoise(x, y, period, seed + octave * 101u);
    total += weight;
    x *= 2;
    y *= 2;
    period *= 2;
    weight *= 0.5;
  }
  return sum / total;
}

QColor Mix(const QColor &a, const QColor &b, double t)
{
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                          float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor WithAlpha(QColor colour, int alpha)
{
  colour.setAlpha(alpha);
  return colour;
}

bool Save(const QImage &image, const QString &path, const char *format)
{
  QDir().mkpath(QFileInfo(path).path());
  const bool ok = image.save(path, format, QByteArray(format) == "JPG" ? 90 : -1);
  std::printf("%s %s (%d x %d)\n", ok ? "wrote" : "FAILED", qPrintable(path), image.width(),
              image.height());
  return ok;
}

// ---------------------------------------------------------------------------
// Toolbar icons: a white sign on a glossy blue button, drawn at four times
// the size on a 192 x 192 canvas and scaled down.

constexpr int IconScale = 4;
constexpr int IconCanvas = 48 * IconScale;
constexpr double IconMid = IconCanvas / 2.0;

void DrawButton(QPainter &p)
{
  const double r = IconMid - 2.5;
  const QPointF centre(IconMid, IconMid);

  QRadialGradient body(QPointF(IconMid, IconMid + 8), r * 1.05, QPointF(IconMid, IconMid - r * 0.45));
  body.setColorAt(0.0, QColor(104, 190, 255));
  body.setColorAt(0.45, QColor(30, 118, 214));
  body.setColorAt(0.85, QColor(12, 66, 160));
  body.setColorAt(1.0, QColor(8, 44, 120));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawEllipse(centre, r, r);

  // Light thrown back from below.
  QRadialGradient glow(QPointF(IconMid, IconMid + r * 0.95), r * 0.8);
  glow.setColorAt(0.0, QColor(120, 220, 255, 150));
  glow.setColorAt(1.0, QColor(120, 220, 255, 0));
  p.setBrush(glow);
  p.drawEllipse(centre, r, r);

  // The gloss: a soft-edged cap over the upper half.
  const QRectF cap(IconMid - r * 0.72, IconMid - r * 0.93, r * 1.44, r * 0.98);
  QLinearGradient shine(cap.topLeft(), cap.bottomLeft());
  shine.setColorAt(0.0, QColor(255, 255, 255, 215));
  shine.setColorAt(0.55, QColor(255, 255, 255, 70));
  shine.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setBrush(shine);
  p.drawEllipse(cap);

  // A thin darker rim.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(6, 36, 96), 4.0));
  p.drawEllipse(centre, r, r);
  p.setPen(QPen(QColor(255, 255, 255, 60), 2.0));
  p.drawEllipse(centre, r - 4, r - 4);
}

void DrawSign(QPainter &p, const QPainterPath &sign)
{
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(2, 24, 70, 110));
  p.drawPath(sign.translated(0, 5));
  p.setBrush(Qt::white);
  p.drawPath(sign);
}

QPainterPath Stroke(const QPainterPath &line, double width, Qt::PenCapStyle cap = Qt::RoundCap)
{
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(cap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(line).simplified();
}

QPainterPath RoundedRect(const QRectF &rect, double radius)
{
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

QPainterPath RectPath(const QRectF &rect)
{
  QPainterPath path;
  path.addRect(rect);
  return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
  QPainterPath path;
  path.addPolygon(QPolygonF(points));
  path.closeSubpath();
  return path;
}

QPainterPath OpenFolderSign()
{
  QPainterPath back = RoundedRect(QRectF(46, 62, 94, 74), 7);
  back = back.united(RoundedRect(QRectF(46, 52, 42, 22), 6));
  const QPainterPath flap = Polygon({{70, 86}, {156, 86}, {138, 138}, {50, 138}});
  QPainterPath outline;
  outline.addPolygon(QPolygonF({{70, 86}, {156, 86}, {138, 138}, {50, 138}, {70, 86}}));
  return back.subtracted(Stroke(outline, 14, Qt::FlatCap)).united(flap).simplified();
}

QPainterPath FloppySign()
{
  QPainterPath body = Polygon({{56, 50}, {126, 50}, {142, 66}, {142, 142}, {50, 142}, {50, 56}});
  body = Stroke(body, 6).united(body);
  const QPainterPath shutter = RoundedRect(QRectF(72, 44, 50, 36), 3);
  const QPainterPath notch = RectPath(QRectF(104, 53, 10, 20));
  const QPainterPath labelFrame = RoundedRect(QRectF(64, 96, 64, 50), 5);
  const QPainterPath label = RoundedRect(QRectF(72, 104, 48, 38), 2);
  return body.subtracted(shutter).united(RectPath(QRectF(72, 50, 50, 24)).subtracted(notch))
      .subtracted(labelFrame).united(label).simplified();
}

QPainterPath BrushSign()
{
  // Built upright with the tip at the bottom, then laid over to the right.
  QPainterPath handle = RoundedRect(QRectF(-11, -80, 22, 62), 11);
  handle.addRoundedRect(QRectF(-14, -18, 28, 18), 3, 3);
  QPainterPath bristles;
  bristles.moveTo(-18, 4);
  bristles.lineTo(18, 4);
  bristles.cubicTo(19, 28, 10, 40, -8, 54);
  bristles.cubicTo(-5, 40, -21, 32, -18, 4);
  bristles.closeSubpath();
  const QPainterPath brush = handle.united(bristles);
  QTransform turn;
  turn.translate(110, 86);
  turn.rotate(38);
  QPainterPath stroke;
  stroke.moveTo(42, 148);
  stroke.cubicTo(56, 136, 62, 156, 80, 144);
  return turn.map(brush).united(Stroke(stroke, 12)).simplified();
}

QPainterPath CurvedArrowSign()
{
  QPainterPath arc;
  arc.moveTo(52, 146);
  arc.cubicTo(52, 96, 78, 76, 112, 76);
  const QPainterPath head = Polygon({{108, 44}, {152, 77}, {108, 110}});
  return Stroke(arc, 22, Qt::FlatCap).united(head).simplified();
}

QPainterPath QuestionSign()
{
  const QPainterPath mark = TextPath(QStringLiteral("?"), 132, true);
  const QRectF box = mark.boundingRect();
  return mark.translated(IconMid - box.center().x(), IconMid - box.center().y());
}

QPainterPath PowerSign()
{
  QPainterPath ring;
  const QRectF circle(IconMid - 42, IconMid - 36, 84, 84);
  ring.arcMoveTo(circle, 58);
  ring.arcTo(circle, 58, 304);
  QPainterPath bar;
  bar.moveTo(IconMid, 42);
  bar.lineTo(IconMid, 94);
  return Stroke(ring, 17).united(Stroke(bar, 17)).simplified();
}

QImage Icon(const QPainterPath &sign)
{
  QImage big(IconCanvas, IconCanvas, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    DrawButton(p);
    DrawSign(p, sign);
  }
  return big.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

// ---------------------------------------------------------------------------
// The sample product "Plenamar 2007".
//
// The cover is 20 x 30 units, the spine 5 x 30 and the top 5 deep x 20 wide.
// The sea along the bottom is drawn in box units so that it runs on from the
// cover's right edge round onto the spine.

void FillBackdrop(QPainter &p, const QRectF &rect)
{
  QLinearGradient sky(rect.topLeft(), rect.bottomLeft());
  sky.setColorAt(0.0, Navy);
  sky.setColorAt(0.45, DeepBlue);
  sky.setColorAt(0.72, Ocean);
  sky.setColorAt(1.0, Navy);
  p.fillRect(rect, sky);
}

// Height of wave layer `layer` at box position u (units along the cover and on
// round the spine), as a fraction of the face height.
double WaveLevel(int layer, double u)
{
  const double base[] = {0.70, 0.76, 0.83, 0.90};
  const double phase = layer * 1.7;
  return base[layer] + 0.020 * std::sin(u * 0.42 + phase) + 0.010 * std::sin(u * 1.10 + phase * 2.3) +
         0.006 * std::sin(u * 2.3 + phase * 0.7);
}

// The sea over `rect`, whose left and right edges lie at box units u0 and u1.
void DrawSea(QPainter &p, const QRectF &rect, double u0, double u1)
{
  const QColor tops[] = {QColor(30, 170, 200), QColor(22, 132, 186), QColor(14, 96, 160),
                         QColor(8, 60, 122)};
  const QColor bottoms[] = {QColor(8, 70, 130), QColor(6, 50, 108), QColor(5, 36, 86),
                            QColor(3, 22, 58)};
  const int steps = 120;
  for (int layer = 0; layer < 4; ++layer) {
    QPainterPath crest;
    for (int i = 0; i <= steps; ++i) {
      const double f = double(i) / steps;
      const double u = u0 + (u1 - u0) * f;
      const QPointF point(rect.left() + rect.width() * f, rect.top() + rect.height() * WaveLevel(layer, u));
      if (i == 0)
        crest.moveTo(point);
      else
        crest.lineTo(point);
    }
    QPainterPath body = crest;
    body.lineTo(rect.bottomRight() + QPointF(0, 1));
    body.lineTo(rect.bottomLeft() + QPointF(0, 1));
    body.closeSubpath();

    const double top = rect.top() + rect.height() * (WaveLevel(layer, u0) - 0.04);
    QLinearGradient water(QPointF(0, top), QPointF(0, top + rect.height() * 0.16));
    water.setColorAt(0.0, tops[layer]);
    water.setColorAt(1.0, bottoms[layer]);
    p.setPen(Qt::NoPen);
    p.setBrush(water);
    p.drawPath(body);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(WithAlpha(Foam, 150 - layer * 25), rect.height() * 0.0035, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(crest);
  }
}

void DrawLightRays(QPainter &p, const QPointF &centre, double radius)
{
  p.setPen(Qt::NoPen);
  const int rays = 18;
  for (int i = 0; i < rays; ++i) {
    const double a0 = 2 * Pi * i / rays, a1 = a0 + Pi / rays * 0.55;
    QPainterPath wedge;
    wedge.moveTo(centre);
    wedge.lineTo(centre + radius * QPointF(std::cos(a0), std::sin(a0)));
    wedge.lineTo(centre + radius * QPointF(std::cos(a1), std::sin(a1)));
    wedge.closeSubpath();
    QRadialGradient fade(centre, radius);
    fade.setColorAt(0.0, QColor(200, 245, 255, 46));
    fade.setColorAt(1.0, QColor(200, 245, 255, 0));
    p.setBrush(fade);
    p.drawPath(wedge);
  }
  QRadialGradient glow(centre, radius * 0.6);
  glow.setColorAt(0.0, QColor(170, 240, 255, 120));
  glow.setColorAt(0.5, QColor(60, 180, 230, 40));
  glow.setColorAt(1.0, QColor(60, 180, 230, 0));
  p.setBrush(glow);
  p.drawEllipse(centre, radius * 0.6, radius * 0.6);
}

// A four-pointed sparkle.
void DrawSparkle(QPainter &p, const QPointF &at, double size, int alpha)
{
  QPainterPath star;
  star.moveTo(at + QPointF(0, -size));
  star.quadTo(at, at + QPointF(size, 0));
  star.quadTo(at, at + QPointF(0, size));
  star.quadTo(at, at + QPointF(-size, 0));
  star.quadTo(at, at + QPointF(0, -size));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, alpha));
  p.drawPath(star);
  QRadialGradient halo(at, size * 0.6);
  halo.setColorAt(0, QColor(200, 250, 255, alpha / 2));
  halo.setColorAt(1, QColor(200, 250, 255, 0));
  p.setBrush(halo);
  p.drawEllipse(at, size * 0.6, size * 0.6);
}

// The logo mark: a small box in three-quarter view with a wave across its
// front. `size` is the height of the drawing; its origin is the mark's centre.
void DrawBoxMark(QPainter &p, const QPointF &centre, double size)
{
  const double s = size / 2;
  // Corners of the box: front face, side face and lid, in a gentle perspective.
  const QPointF a(-0.66 * s, -0.62 * s), b(0.36 * s, -0.70 * s), c(0.36 * s, 0.86 * s), d(-0.66 * s, 0.80 * s);
  const QPointF e(0.64 * s, -0.86 * s), f(0.64 * s, 0.70 * s), g(-0.38 * s, -0.78 * s);
  const auto at = [&](const QPointF &q) { return centre + q; };

  const QPainterPath front = Polygon({at(a), at(b), at(c), at(d)});
  const QPainterPath side = Polygon({at(b), at(e), at(f), at(c)});
  const QPainterPath lid = Polygon({at(a), at(g), at(e), at(b)});

  p.save();
  QLinearGradient frontFill(at(a), at(c));
  frontFill.setColorAt(0.0, SunLight);
  frontFill.setColorAt(1.0, Sun);
  QLinearGradient sideFill(at(b), at(f));
  sideFill.setColorAt(0.0, QColor(214, 110, 10));
  sideFill.setColorAt(1.0, QColor(150, 64, 6));
  QLinearGradient lidFill(at(g), at(b));
  lidFill.setColorAt(0.0, QColor(255, 240, 190));
  lidFill.setColorAt(1.0, QColor(255, 214, 120));

  p.setPen(Qt::NoPen);
  p.setBrush(frontFill);
  p.drawPath(front);
  p.setBrush(sideFill);
  p.drawPath(side);
  p.setBrush(lidFill);
  p.drawPath(lid);

  // The wave printed on the front face, clipped to it. Qt's SVG writer drops
  // clips, so there the wave is cut to the face's outline as a path instead.
  const bool clips = p.paintEngine()->type() != QPaintEngine::SVG;
  if (clips)
    p.setClipPath(front, Qt::IntersectClip);
  QPainterPath wave;
  wave.moveTo(at(QPointF(-0.7 * s, 0.40 * s)));
  wave.cubicTo(at(QPointF(-0.35 * s, 0.02 * s)), at(QPointF(-0.05 * s, 0.58 * s)),
               at(QPointF(0.35 * s, 0.14 * s)));
  wave.lineTo(at(QPointF(0.35 * s, 1.1 * s)));
  wave.lineTo(at(QPointF(-0.7 * s, 1.1 * s)));
  wave.closeSubpath();
  QLinearGradient sea(at(QPointF(0, 0.1 * s)), at(QPointF(0, s)));
  sea.setColorAt(0.0, Teal);
  sea.setColorAt(1.0, DeepBlue);
  p.setBrush(sea);
  p.drawPath(clips ? wave : wave.intersected(front));
  if (clips)
    p.setClipping(false);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 250, 230, 200), std::max(1.0, size * 0.012), Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.drawPath(front.united(side).united(lid));
  p.drawLine(at(b), at(c));
  p.drawLine(at(a), at(b));
  p.drawLine(at(b), at(e));
  p.restore();
}

// The logo mark mirrored in the water below it, fading out downwards.
void DrawBoxReflection(QPainter &p, const QPointF &centre, double size)
{
  const double foot = centre.y() + 0.83 * size / 2;
  QImage layer(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  QPainter lp(&layer);
  lp.setRenderHint(QPainter::Antialiasing);
  lp.translate(0, foot);
  lp.scale(1, -0.45);
  lp.translate(0, -foot);
  DrawBoxMark(lp, centre, size);
  lp.resetTransform();
  lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  QLinearGradient fade(QPointF(0, foot), QPointF(0, foot + size * 0.4));
  fade.setColorAt(0.0, QColor(0, 0, 0, 110));
  fade.setColorAt(1.0, QColor(0, 0, 0, 0));
  lp.fillRect(layer.rect(), fade);
  lp.end();
  p.drawImage(0, 0, layer);
}

// The word mark "Plenamar" with "2007" below its right end, centred on x, the
// top of the word at y, `size` the letter height in pixels.
void DrawTitle(QPainter &p, double x, double y, int size, double width)
{
  QPainterPath word = TextPath(QStringLiteral("Plenamar"), size, true, -size * 0.03);
  const double natural = word.boundingRect().width();
  if (natural > width)
    word = QTransform().scale(width / natural, 1).map(word);
  const QRectF box = word.boundingRect();
  word.translate(x - box.center().x(), y - box.top());
  const QRectF placed = word.boundingRect();

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 10, 40, 120));
  p.drawPath(word.translated(size * 0.03, size * 0.05));
  QLinearGradient fill(placed.topLeft(), placed.bottomLeft());
  fill.setColorAt(0.0, Qt::white);
  fill.setColorAt(0.55, QColor(226, 248, 255));
  fill.setColorAt(0.56, QColor(180, 230, 248));
  fill.setColorAt(1.0, QColor(236, 252, 255));
  p.setBrush(fill);
  p.drawPath(word);

  QPainterPath year = TextPath(QStringLiteral("2007"), int(size * 0.56), true, size * 0.02);
  const QRectF yearBox = year.boundingRect();
  year.translate(placed.right() - yearBox.right(), placed.bottom() + size * 0.14 - yearBox.top());
  const QRectF yearPlaced = year.boundingRect();
  p.setBrush(QColor(0, 10, 40, 120));
  p.drawPath(year.translated(size * 0.02, size * 0.035));
  QLinearGradient gold(yearPlaced.topLeft(), yearPlaced.bottomLeft());
  gold.setColorAt(0.0, SunLight);
  gold.setColorAt(1.0, Sun);
  p.setBrush(gold);
  p.drawPath(year);

  // A thin rule running into the year from the left.
  const double ruleY = yearPlaced.center().y();
  QLinearGradient rule(QPointF(placed.left(), 0), QPointF(yearPlaced.left(), 0));
  rule.setColorAt(0.0, QColor(255, 190, 70, 0));
  rule.setColorAt(1.0, QColor(255, 190, 70, 230));
  p.setBrush(rule);
  p.drawRect(QRectF(placed.left(), ruleY - size * 0.025, yearPlaced.left() - size * 0.15 - placed.left(),
                    size * 0.05));
}

// A rounded badge reading "for LINUX", centred on `centre`, `height` high.
void DrawLinuxBadge(QPainter &p, const QPointF &centre, double height)
{
  const QPainterPath small = TextPath(QStringLiteral("for"), int(height * 0.34), false);
  const QPainterPath big = TextPath(QStringLiteral("LINUX"), int(height * 0.44), true, height * 0.02);
  const double gap = height * 0.12;
  const double textWidth = small.boundingRect().width() + gap + big.boundingRect().width();
  const QRectF badge(centre.x() - textWidth / 2 - height * 0.32, centre.y() - height / 2,
                     textWidth + height * 0.64, height);

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 10, 40, 110));
  p.drawRoundedRect(badge.translated(0, height * 0.06), height * 0.22, height * 0.22);
  QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
  fill.setColorAt(0.0, QColor(255, 255, 255));
  fill.setColorAt(1.0, QColor(214, 230, 240));
  p.setBrush(fill);
  p.setPen(QPen(SunLight, height * 0.05));
  p.drawRoundedRect(badge, height * 0.22, height * 0.22);

  const double baseline = centre.y() + big.boundingRect().height() / 2;
  const double left = badge.left() + height * 0.32;
  p.setPen(Qt::NoPen);
  p.setBrush(DeepBlue);
  p.drawPath(small.translated(left - small.boundingRect().left(), baseline));
  p.setBrush(Navy);
  p.drawPath(big.translated(left + small.boundingRect().width() + gap - big.boundingRect().left(), baseline));
}

// A starburst seal with two lines of text, turned a little.
void DrawSeal(QPainter &p, const QPointF &centre, double radius, const QString &line1, const QString &line2)
{
  p.save();
  p.translate(centre);
  p.rotate(-14);
  QPainterPath burst;
  const int points = 22;
  for (int i = 0; i <= 2 * points; ++i) {
    const double a = Pi * i / points;
    const double r = (i % 2 == 0) ? radius : radius * 0.86;
    const QPointF q(r * std::cos(a), r * std::sin(a));
    if (i == 0)
      burst.moveTo(q);
    else
      burst.lineTo(q);
  }
  burst.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 10, 40, 110));
  p.drawPath(burst.translated(radius * 0.04, radius * 0.07));
  QRadialGradient fill(QPointF(-radius * 0.3, -radius * 0.4), radius * 1.3);
  fill.setColorAt(0.0, SunLight);
  fill.setColorAt(1.0, QColor(232, 110, 10));
  p.setBrush(fill);
  p.drawPath(burst);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 170), radius * 0.03));
  p.drawEllipse(QPointF(0, 0), radius * 0.74, radius * 0.74);

  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const QPainterPath top = TextPath(line1, int(radius * 0.40), true);
  const QPainterPath bottom = TextPath(line2, int(radius * 0.23), true);
  p.drawPath(CentredAt(top, 0, -radius * 0.02));
  p.drawPath(CentredAt(bottom, 0, radius * 0.32));
  p.restore();
}

void DrawCheckLine(QPainter &p, const QPointF &at, int size, const QString &text)
{
  QPainterPath tick;
  tick.moveTo(at + QPointF(0, -size * 0.38));
  tick.lineTo(at + QPointF(size * 0.28, -size * 0.08));
  tick.lineTo(at + QPointF(size * 0.78, -size * 0.78));
  p.setPen(QPen(SunLight, size * 0.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 248, 255));
  p.drawPath(TextPath(text, size, true).translated(at + QPointF(size * 1.2, 0)));
}

// The front cover at any size; laid out for a portrait cover, it also fits a
// square one, which leaves out the tagline and the list of features.
void DrawCover(QPainter &p, const QSizeF &size)
{
  const double w = size.width(), h = size.height();
  const QRectF rect(QPointF(0, 0), size);
  const bool tall = h > w * 1.3;
  FillBackdrop(p, rect);

  const QPointF heart(w * 0.5, h * (tall ? 0.556 : 0.60));
  DrawLightRays(p, heart, w * 0.75);

  // Upper band: a maker's line, the title, the year and the tagline.
  const double titleTop = h * (tall ? 0.085 : 0.09);
  QPainterPath maker = TextPath(QStringLiteral("3D BOX SHOT STUDIO"), int(w * 0.032), true, w * 0.012);
  p.setPen(Qt::NoPen);
  p.setBrush(WithAlpha(Foam, 220));
  p.drawPath(CentredAt(maker, w * 0.5, titleTop - w * 0.03));
  DrawTitle(p, w * 0.5, titleTop + w * 0.01, int(w * 0.19), w * 0.84);

  if (tall) {
    QPainterPath tagline = Slanted(
        TextPath(QStringLiteral("Turn flat artwork into stunning 3D box shots"), int(w * 0.036), true));
    p.setBrush(QColor(0, 10, 40, 140));
    p.drawPath(CentredAt(tagline, w * 0.5 + 2, h * 0.305 + 2));
    p.setBrush(Qt::white);
    p.drawPath(CentredAt(tagline, w * 0.5, h * 0.305));
  }

  const double markSize = w * (tall ? 0.50 : 0.36);
  DrawSea(p, rect, 0, 20);
  DrawBoxReflection(p, heart, markSize);
  DrawBoxMark(p, heart, markSize);
  DrawSparkle(p, heart + QPointF(-w * 0.21, -markSize * 0.56), w * 0.045, 230);
  DrawSparkle(p, heart + QPointF(-w * 0.33, -markSize * 0.05), w * 0.028, 180);
  DrawSparkle(p, heart + QPointF(w * 0.21, markSize * 0.30), w * 0.020, 150);

  DrawSeal(p, QPointF(w * 0.80, heart.y() + markSize * (tall ? -0.30 : 0.05)), w * (tall ? 0.105 : 0.095),
           QStringLiteral("NEW"), QStringLiteral("3D ENGINE"));

  if (tall) {
    const int line = int(w * 0.034);
    DrawCheckLine(p, QPointF(w * 0.08, h * 0.81), line, QStringLiteral("Real-time OpenGL preview"));
    DrawCheckLine(p, QPointF(w * 0.08, h * 0.81 + line * 1.75), line, QStringLiteral("Boxes, books and open lids"));
    DrawCheckLine(p, QPointF(w * 0.08, h * 0.81 + line * 3.5), line, QStringLiteral("Smooth snapshots in one click"));
  }
  const double badgeHeight = w * (tall ? 0.085 : 0.075);
  DrawLinuxBadge(p, QPointF(w * 0.80, h - badgeHeight * (tall ? 1.05 : 0.95)), badgeHeight);
}

// The back cover of the sample sleeve: the title small, a blurb to read
// from left to right, the features, a bar code and the badge.
void DrawBack(QPainter &p, const QSizeF &size)
{
  const double w = size.width(), h = size.height();
  const QRectF rect(QPointF(0, 0), size);
  FillBackdrop(p, rect);
  DrawSea(p, rect, -25, -5);
  DrawTitle(p, w * 0.5, h * 0.06, int(w * 0.11), w * 0.5);

  const int line = int(w * 0.040);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const char *const blurb[] = {"THE BACK COVER", "Your box, turned round:", "this side reads left to right,",
                               "upright, as a real box does."};
  for (int i = 0; i < 4; ++i)
    p.drawPath(TextPath(QString::fromLatin1(blurb[i]), i == 0 ? int(line * 1.5) : line, i == 0)
                   .translated(w * 0.08, h * 0.30 + i * line * 1.9 + (i > 0 ? line : 0)));
  DrawCheckLine(p, QPointF(w * 0.08, h * 0.58), line, QStringLiteral("Wrap scans cut into faces"));
  DrawCheckLine(p, QPointF(w * 0.08, h * 0.58 + line * 1.75), line, QStringLiteral("Any picture format"));

  // A bar code on a white label.
  const QRectF label(w * 0.08, h * 0.80, w * 0.34, h * 0.11);
  p.setBrush(Qt::white);
  p.drawRect(label);
  p.setBrush(Qt::black);
  double x = label.left() + label.width() * 0.06;
  for (int i = 0; x < label.right() - label.width() * 0.08; ++i) {
    const double bar = label.width() * (0.008 + 0.008 * ((i * 7) % 3));
    p.drawRect(QRectF(x, label.top() + label.height() * 0.12, bar, label.height() * 0.76));
    x += bar + label.width() * (0.01 + 0.006 * ((i * 5) % 4));
  }
  const double badgeHeight = w * 0.085;
  DrawLinuxBadge(p, QPointF(w * 0.78, h - badgeHeight * 1.05), badgeHeight);
}

// The spine: logo at the head, the title running down it, badge at the foot;
// the sea runs from `seaFrom` to `seaTo` in box units.
void DrawSpineWithSea(QPainter &p, const QSizeF &size, double seaFrom, double seaTo)
{
  const double w = size.width(), h = size.height();
  const QRectF rect(QPointF(0, 0), size);
  FillBackdrop(p, rect);
  DrawSea(p, rect, seaFrom, seaTo);

  DrawBoxMark(p, QPointF(w * 0.5, w * 0.62), w * 0.62);

  // Read from head to foot: the text is turned a quarter turn clockwise.
  const int letter = int(w * 0.36);
  QPainterPath word = TextPath(QStringLiteral("Plenamar"), letter, true, -letter * 0.03);
  QPainterPath year = TextPath(QStringLiteral("2007"), letter, true);
  const double gap = letter * 0.35;
  year.translate(word.boundingRect().right() + gap, 0);
  const double length = year.boundingRect().right() - word.boundingRect().left();
  const double available = h * 0.67 - w * 1.12;
  const double scale = std::min(1.0, available / length);
  const QRectF capital = TextPath(QStringLiteral("P"), letter, true).boundingRect();

  QTransform place;
  place.translate(w * 0.5 - capital.height() * scale / 2, w * 1.12);
  place.rotate(90);
  place.scale(scale, scale);
  place.translate(-word.boundingRect().left(), 0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 10, 40, 120));
  p.drawPath(place.map(word).translated(-w * 0.015, w * 0.02));
  p.drawPath(place.map(year).translated(-w * 0.015, w * 0.02));
  p.setBrush(Qt::white);
  p.drawPath(place.map(word));
  p.setBrush(Sun);
  p.drawPath(place.map(year));

  const QPainterPath platform = TextPath(QStringLiteral("LINUX"), int(w * 0.16), true, w * 0.01);
  const QRectF plate(w * 0.14, h - w * 0.50, w * 0.72, w * 0.30);
  p.setBrush(QColor(255, 255, 255, 235));
  p.setPen(QPen(SunLight, w * 0.02));
  p.drawRoundedRect(plate, w * 0.07, w * 0.07);
  p.setPen(Qt::NoPen);
  p.setBrush(Navy);
  p.drawPath(CentredAt(platform, plate.center().x(), plate.center().y() + platform.boundingRect().height() / 2));
}

// The spine of the sample box, where the sea runs on from the cover.
void DrawSpine(QPainter &p, const QSizeF &size)
{
  DrawSpineWithSea(p, size, 20, 25);
}

// A scan of a whole sleeve, laid out as plenamar-render's --wrap takes it:
// back, spine and front from left to right, the sea running across all three.
void DrawSleeve(QPainter &p, const QSizeF &size)
{
  const double cover = size.width() * 20 / 45, spine = size.width() * 5 / 45;
  auto part = [&](double left, double width, const std::function<void(QPainter &, const QSizeF &)> &draw) {
    p.save();
    p.translate(left, 0);
    p.setClipRect(QRectF(0, 0, width, size.height()));
    draw(p, QSizeF(width, size.height()));
    p.restore();
  };
  part(0, cover, DrawBack);
  part(cover, spine, [](QPainter &q, const QSizeF &s) { DrawSpineWithSea(q, s, -5, 0); });
  part(cover + spine, cover, DrawCover);
}

// The top: in the picture's frame the lid's front edge is the right edge, so
// the lettering runs from bottom to top.
void DrawTop(QPainter &p, const QSizeF &size)
{
  const double w = size.width(), h = size.height();
  QLinearGradient across(QPointF(0, 0), QPointF(w, 0));
  across.setColorAt(0.0, DeepBlue);
  across.setColorAt(0.6, QColor(6, 40, 92));
  across.setColorAt(1.0, Navy);
  p.fillRect(QRectF(QPointF(0, 0), size), across);

  // A band of sea along the back edge.
  QPainterPath band;
  const int steps = 80;
  for (int i = 0; i <= steps; ++i) {
    const double f = double(i) / steps;
    const QPointF q(w * (0.26 + 0.035 * std::sin(f * 20 * 0.42 + 1.1) + 0.015 * std::sin(f * 20 * 1.1)),
                    h * (1 - f));
    if (i == 0)
      band.moveTo(q);
    else
      band.lineTo(q);
  }
  QPainterPath water = band;
  water.lineTo(-1, 0);
  water.lineTo(-1, h);
  water.closeSubpath();
  QLinearGradient sea(QPointF(0, 0), QPointF(w * 0.3, 0));
  sea.setColorAt(0.0, Navy);
  sea.setColorAt(1.0, Ocean);
  p.setPen(Qt::NoPen);
  p.setBrush(sea);
  p.drawPath(water);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(WithAlpha(Foam, 150), w * 0.015));
  p.drawPath(band);

  p.save();
  p.translate(w * 0.60, h * 0.5);
  p.rotate(-90);
  // Now x runs up the picture (left to right as seen from the front).
  const int letter = int(w * 0.26);
  QPainterPath word = TextPath(QStringLiteral("Plenamar"), letter, true, -letter * 0.03);
  QPainterPath year = TextPath(QStringLiteral("2007"), letter, true);
  year.translate(word.boundingRect().right() + letter * 0.3, 0);
  const double markSize = letter * 1.6;
  const double total = markSize + letter * 0.4 + year.boundingRect().right() - word.boundingRect().left();
  const double start = -total / 2;
  const double baseline = letter * 0.36;
  DrawBoxMark(p, QPointF(start + markSize * 0.5, 0), markSize);
  const double textLeft = start + markSize + letter * 0.4 - word.boundingRect().left();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(word.translated(textLeft, baseline));
  p.setBrush(Sun);
  p.drawPath(year.translated(textLeft, baseline));
  p.restore();

  // Sparkles at the ends.
  DrawSparkle(p, QPointF(w * 0.62, h * 0.08), w * 0.09, 170);
  DrawSparkle(p, QPointF(w * 0.70, h * 0.93), w * 0.06, 140);
}

// Wooden floor boards, seamless side to side and top to bottom.
QImage Floor(int size)
{
  QImage image(size, size, QImage::Format_RGB32);
  const int boards = 8;   // across the picture
  const int lengths = 2;  // board lengths down the picture
  const double boardWidth = double(size) / boards;
  const double boardLength = double(size) / lengths;
  const QColor light(214, 160, 100), dark(128, 76, 36);
  for (int y = 0; y < size; ++y) {
    auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < size; ++x) {
      const int board = int(x / boardWidth);
      const double across = x - board * boardWidth;
      // Each board starts at its own place along the length.
      const double offset = Lattice(board, 7, boards, 99u) * boardLength;
      const double run = std::fmod(y + offset, double(size));
      const double along = std::fmod(run, boardLength);
      const int piece = int(run / boardLength);
      const double tone = Lattice(board * lengths + piece, 3, boards * lengths, 7u);

      // Grain: wavy streaks along the board and fine fibres, both periodic
      // down the picture.
      const unsigned seed = 1234u + unsigned(board * lengths + piece) * 17u;
      const double bend = Fractal(y * 3.0 / size, across / boardWidth * 1.5, 3, seed);
      const double streak = 0.5 + 0.5 * std::sin((across / boardWidth * 4.5 + bend * 3.0) * Pi * 2);
      const double fibre = Fractal(y * 6.0 / size, x / 2.5, 6, seed + 5u);
      const double t = 0.28 + 0.34 * tone + 0.22 * streak * streak + 0.30 * (fibre - 0.5);
      const QColor c = Mix(dark, light, std::clamp(t, 0.0, 1.0));

      // Joints between boards and at board ends.
      const double edge = std::min(across, boardWidth - across);
      const double end = std::min(along, boardLength - along);
      double shade = 1.0;
      if (edge < 1.5)
        shade *= 0.5 + 0.4 * edge / 1.5;
      if (end < 1.5)
        shade *= 0.55 + 0.35 * end / 1.5;
      row[x] = qRgb(std::min(255, int(c.red() * shade)), std::min(255, int(c.green() * shade)),
                    std::min(255, int(c.blue() * shade)));
    }
  }
  return image;
}

// Flat brown carton with a faint fibre.
QImage Carton(int size)
{
  QImage image(size, size, QImage::Format_RGB32);
  const QColor base(176, 140, 98);
  for (int y = 0; y < size; ++y) {
    auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < size; ++x) {
      const double fibre = Fractal(x / 40.0, y / 6.0, size / 40, 555u) - 0.5;
      const double speck = Lattice(x, y, size, 4242u) - 0.5;
      const double k = 1.0 + 0.10 * fibre + 0.05 * speck;
      row[x] = qRgb(std::clamp(int(base.red() * k), 0, 255), std::clamp(int(base.green() * k), 0, 255),
                    std::clamp(int(base.blue() * k), 0, 255));
    }
  }
  return image;
}

QImage Paint(int width, int height, const std::function<void(QPainter &, const QSizeF &)> &draw)
{
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Navy);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  draw(p, QSizeF(width, height));
  return image;
}

// A die-cut front: the cover with rounded corners and an oval window in its
// middle, transparent where the card is cut away.
QImage DieCut(int width, int height)
{
  QImage image = Paint(width, height, DrawCover).convertToFormat(QImage::Format_ARGB32);
  QImage mask(width, height, QImage::Format_ARGB32);
  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath card = RoundedRect(QRectF(0, 0, width, height), width * 0.09);
    QPainterPath window;
    window.addEllipse(QPointF(width * 0.5, height * 0.57), width * 0.18, height * 0.14);
    p.drawPath(card.subtracted(window));
  }
  QPainter p(&image);
  p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  p.drawImage(0, 0, mask);
  p.end();
  // The rim of the window, drawn over the cut.
  QPainter rim(&image);
  rim.setRenderHint(QPainter::Antialiasing);
  rim.setPen(QPen(SunLight, width * 0.012));
  rim.setBrush(Qt::NoBrush);
  rim.drawEllipse(QPointF(width * 0.5, height * 0.57), width * 0.18, height * 0.14);
  return image;
}

// ---------------------------------------------------------------------------
// The program's icon: the logo mark on a rounded tile of deep sea with the
// sun glowing behind it, drawn on a 256-unit canvas and scaled to any size.

constexpr double AppIconCanvas = 256;

void DrawAppIcon(QPainter &p)
{
  const QRectF tile(8, 8, 240, 240);
  QLinearGradient sea(tile.topLeft(), tile.bottomLeft());
  sea.setColorAt(0.0, Ocean);
  sea.setColorAt(1.0, Navy);
  p.setPen(QPen(QColor(2, 16, 44), 4));
  p.setBrush(sea);
  p.drawRoundedRect(tile, 44, 44);

  const QPointF sun(128, 116);
  QRadialGradient glow(sun, 100);
  glow.setColorAt(0.0, WithAlpha(SunLight, 170));
  glow.setColorAt(1.0, WithAlpha(SunLight, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(sun, 100, 100);

  DrawBoxMark(p, QPointF(128, 130), 184);
}

QImage AppIcon(int size)
{
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / AppIconCanvas, size / AppIconCanvas);
  DrawAppIcon(p);
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

bool SaveAppIconSvg(const QString &path)
{
  QDir().mkpath(QFileInfo(path).path());
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(int(AppIconCanvas), int(AppIconCanvas)));
  svg.setViewBox(QRectF(0, 0, AppIconCanvas, AppIconCanvas));
  svg.setTitle(QStringLiteral("Plenamar"));
  svg.setDescription(QStringLiteral("The Plenamar icon"));
  QPainter p(&svg);
  p.setRenderHint(QPainter::Antialiasing);
  DrawAppIcon(p);
  const bool ok = p.end() && QFileInfo(path).size() > 0;
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

// The sample cover, on the floor or standing free.
bool WriteCoverFile(const QString &path, bool floor)
{
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    return false;
  const QByteArray text = QByteArray("[Properties]\n"
                                     "Cover=cover.jpg\n"
                                     "Spine=spine.jpg\n"
                                     "Plain=plain.jpg\n"
                                     "Top=top.jpg\n"
                                     "Floor=floor.jpg\n"
                                     "[Options]\n"
                                     "Book=0\n") +
                          (floor ? "Floor=1\n" : "Floor=0\n") +
                          "Back=0\n"
                          "Open=0\n"
                          "[Sizes]\n"
                          "Width=20\n"
                          "Height=30\n"
                          "Depth=5\n";
  const bool ok = file.write(text) == text.size();
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char **argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PLENAMAR_SOURCE_DIR);
  if (QFontInfo(BrandFont(20, true)).family() != QStringLiteral("DejaVu Sans")) {
    std::fprintf(stderr, "make_artwork: the font DejaVu Sans is missing (Debian: fonts-dejavu-core)\n");
    return 1;
  }

  bool ok = true;
  const QString icons = root + "/assets/icons/";
  ok &= Save(Icon(OpenFolderSign()), icons + "open.png", "PNG");
  ok &= Save(Icon(FloppySign()), icons + "save.png", "PNG");
  ok &= Save(Icon(BrushSign()), icons + "snapshot.png", "PNG");
  ok &= Save(Icon(CurvedArrowSign()), icons + "export.png", "PNG");
  ok &= Save(Icon(QuestionSign()), icons + "help.png", "PNG");
  ok &= Save(Icon(PowerSign()), icons + "close.png", "PNG");

  // Face images of the sample box, 20 x 30 x 5 units at 33.7 pixels a unit.
  const QString sample = root + "/sample/";
  ok &= Save(Paint(674, 1012, DrawCover), sample + "cover.jpg", "JPG");
  ok &= Save(Paint(169, 1012, DrawSpine), sample + "spine.jpg", "JPG");
  ok &= Save(Paint(169, 674, DrawTop), sample + "top.jpg", "JPG");
  ok &= Save(Floor(1024), sample + "floor.jpg", "JPG");
  ok &= Save(Carton(256), sample + "plain.jpg", "JPG");
  ok &= WriteCoverFile(sample + "sample.cov", true);
  ok &= WriteCoverFile(sample + "free-standing.cov", false);
  // Artwork as it comes, for plenamar-render: a scan of the whole sleeve and
  // a die-cut front.
  ok &= Save(Paint(1517, 1012, DrawSleeve), sample + "sleeve.jpg", "JPG");
  ok &= Save(DieCut(674, 1012), sample + "die-cut.png", "PNG");

  // The previews built into the program.
  const QString previews = root + "/assets/previews/";
  ok &= Save(Paint(674, 674, DrawCover), previews + "front.jpg", "JPG");
  ok &= Save(Paint(169, 674, DrawSpine), previews + "spine.jpg", "JPG");
  ok &= Save(Paint(199, 674, DrawTop), previews + "top.jpg", "JPG");
  ok &= Save(Floor(1024).scaled(256, 256, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
             previews + "floor.jpg", "JPG");

  // The program's icon at the sizes of the desktop's icon theme, and scalable.
  const QString appIcon = root + "/assets/appicon/";
  for (int size : {16, 32, 48, 64, 128, 256})
    ok &= Save(AppIcon(size), appIcon + QStringLiteral("plenamar-%1.png").arg(size), "PNG");
  ok &= SaveAppIconSvg(appIcon + "plenamar.svg");
  return ok ? 0 : 1;
}
