// The picture detector: graphic lines looked for in runs and blocks. Prose
// laid out with spaces stays text piece by piece, and the dialogue beside a
// picture does not dilute the picture's lines.
#include "extract/picture_detector.h"

#include <algorithm>
#include <limits>

#include "extract/aa_judge.h"
#include "extract/picture_lines.h"

namespace mozaru {

namespace detail {

namespace {

std::int32_t narrow(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void PictureMeasure::addLine(std::u16string_view line) {
    const LineShape shape = shapeOfLine(line, false);
    switch (shape.kind) {
        case LineKind::Empty:
            endBlock();
            break;
        case LineKind::Graphic:
            if (m_blockGraphic < 2) m_blockLines[m_blockGraphic] = line;
            addGraphicLine(shape.units);
            break;
        case LineKind::Faint:
            addRunLine();
            break;
        case LineKind::Text:
            addTextLine();
            break;
        default:
            break;
    }
}

void PictureMeasure::addGraphicLine(std::int64_t units) {
    ++m_graphicLines;
    ++m_blockGraphic;
    m_blockUnits += units;
    ++m_runGraphic;
    addRunLine();
}

void PictureMeasure::addRunLine() {
    m_textInARow = 0;
    m_longestRun = std::max(m_longestRun, ++m_run);
    if ((m_run >= 3 && m_runGraphic >= 2) || (m_run >= 5 && m_runGraphic >= 1)) {
        decideOnce(PictureRule::Picture);
    }
}

void PictureMeasure::addTextLine() {
    ++m_textLines;
    ++m_blockText;
    if (++m_textInARow > 2) m_run = m_runGraphic = 0;
}

void PictureMeasure::endBlock() {
    if (m_blockGraphic == 2 && m_blockText == 0) {
        // The lines were read only until they were sure to be graphic; only
        // here do their units matter.
        if (m_blockUnits < 16) {
            m_blockUnits =
                shapeOfLine(m_blockLines[0], true).units + shapeOfLine(m_blockLines[1], true).units;
        }
        if (m_blockUnits >= 16) decideOnce(PictureRule::SmallPicture);
    }
    m_run = 0;
    m_runGraphic = 0;
    m_textInARow = 0;
    m_blockGraphic = 0;
    m_blockText = 0;
    m_blockUnits = 0;
}

void PictureMeasure::decideOnce(PictureRule rule) {
    if (m_rule == PictureRule::NoPicture) m_rule = rule;
}

PictureStats PictureMeasure::finish() {
    endBlock();
    return PictureStats{narrow(m_graphicLines), narrow(m_textLines), narrow(m_longestRun), m_rule};
}

namespace {

// A body of a great many lines does not keep its room.
constexpr std::size_t kRoomKept = std::size_t{1} << 16;

}  // namespace

LineLengths::LineLengths() {
    thread_local std::vector<std::size_t> more;
    m_more = &more;
    if (m_more->capacity() > kRoomKept) *m_more = {};
    m_more->clear();
}

void LineLengths::addMore(std::size_t length) {
    m_more->push_back(length);
}

void decidePicture(const LineLengths& lengths, std::int64_t lines, std::int64_t total,
                   std::int16_t level, bool fullStats, AAResult& result) {
    decide(lines, total, fullStats ? countClasses(result.mergeKey) : ClassCounts{}, level, result);
    PictureMeasure picture(fullStats);
    // Most bodies are prose: when the whole key holds no unit that could
    // draw, no line of it is graphic, and the verdict needs no line read.
    const std::u16string_view key = result.mergeKey;
    if (fullStats || mayHoldGraphic(key)) {
        std::size_t at = 0;
        for (std::size_t k = 0; k < lengths.size() && !picture.done(); ++k) {
            picture.addLine(key.substr(at, lengths[k]));
            at += lengths[k];
        }
    }
    result.picture = picture.finish();
    if (total <= minimumTotalLength(level)) result.picture.rule = PictureRule::TooShort;
    result.isAA = result.picture.rule == PictureRule::Picture ||
                  result.picture.rule == PictureRule::SmallPicture;
}

}  // namespace detail

AAResult isPicture(std::u16string_view body, std::int16_t level) {
    detail::SilentObserver silent;
    AAResult result;
    detail::judgeBody(body, level, silent, result, true, Detector::Picture);
    return result;
}

std::string_view detectorName(Detector detector) {
    return detector == Detector::Picture ? "picture" : "seed";
}

std::string_view pictureRuleName(PictureRule rule) {
    switch (rule) {
        case PictureRule::NotJudged:
            return "not-judged";
        case PictureRule::TooShort:
            return "too-short";
        case PictureRule::Picture:
            return "picture";
        case PictureRule::SmallPicture:
            return "small-picture";
        case PictureRule::NoPicture:
            return "no-picture";
    }
    return "no-picture";
}

}  // namespace mozaru
