// The picture detector: judges a post body by what the pieces of its lines
// are made of, a second detector beside IsAA.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "extract/is_aa.h"
#include "extract/picture_stats.h"

namespace mozaru {

// body judged by the picture detector: the merge key and result.stats as IsAA
// gives them, result.isAA and result.picture from the shape of the lines,
// which are IsAA's lines with their anchors removed. The level's minimum
// total length applies as it does for IsAA. body: as IsAA takes it.
AAResult isPicture(std::u16string_view body, std::int16_t level);

namespace detail {

// Reads a body's lines one at a time (graphic, faint, text: picture_lines.h)
// and keeps the figures. A run is a series of graphic and faint lines that no
// empty line and no more than two text lines in a row part.
class PictureMeasure {
public:
    // allFigures false: reading may stop once the verdict is known.
    explicit PictureMeasure(bool allFigures) : m_allFigures(allFigures) {}

    // One line, "<BR>" tags and anchors taken out; other tags are skipped and
    // character references read as what they show. The line's text must stay
    // as it is until finish: a line may be read again.
    void addLine(std::u16string_view line);
    bool done() const { return m_rule != PictureRule::NoPicture && !m_allFigures; }
    // The figures; rule is Picture, SmallPicture or NoPicture.
    PictureStats finish();

private:
    // units: of the line's stroke pieces.
    void addGraphicLine(std::int64_t units);
    void addRunLine();
    void addTextLine();
    void endBlock();
    void decideOnce(PictureRule rule);

    bool m_allFigures;
    // The run being read and the block (lines no empty line parts) around it.
    std::int64_t m_run = 0;
    std::int64_t m_runGraphic = 0;  // its graphic lines
    std::int64_t m_textInARow = 0;
    std::int64_t m_blockGraphic = 0;
    std::int64_t m_blockText = 0;
    std::int64_t m_blockUnits = 0;        // units of the block's graphic lines' stroke pieces
    std::u16string_view m_blockLines[2];  // the block's first two graphic lines
    std::int64_t m_longestRun = 0;
    std::int64_t m_graphicLines = 0;
    std::int64_t m_textLines = 0;
    PictureRule m_rule = PictureRule::NoPicture;
};

// The lengths of a body's lines, noted while its merge key is built: the
// first ones in place, the others in room kept per thread and reused from
// body to body, so that the extraction allocates nothing per post.
class LineLengths {
public:
    LineLengths();
    void add(std::size_t length) {
        if (m_count < kInPlace) {
            m_first[m_count] = length;
        } else {
            addMore(length);
        }
        ++m_count;
    }
    std::size_t size() const { return m_count; }
    std::size_t operator[](std::size_t k) const {
        return k < kInPlace ? m_first[k] : (*m_more)[k - kInPlace];
    }

private:
    static constexpr std::size_t kInPlace = 64;
    void addMore(std::size_t length);

    std::array<std::size_t, kInPlace> m_first;
    std::size_t m_count = 0;
    std::vector<std::size_t>* m_more;
};

// The picture detector's verdict into result, whose merge key holds the
// body's lines one after the other, of the given lengths; lines and total as
// IsAA counts them. fullStats false: result.stats holds only the lines and the
// total, and the figures only what the verdict needed.
void decidePicture(const LineLengths& lengths, std::int64_t lines, std::int64_t total,
                   std::int16_t level, bool fullStats, AAResult& result);

}  // namespace detail

}  // namespace mozaru
