#include "ui/CursorSet.h"

#include <QImage>
#include <QPixmap>

#include <algorithm>

namespace tavrine::ui {

QtAnimatedCursor ToQtCursor(const AnimatedCursor& cursor, int scale) {
    QtAnimatedCursor out;
    for (const CursorImage& frame : cursor.Frames) {
        QImage image(frame.Width, frame.Height, QImage::Format_ARGB32);
        for (int y = 0; y < frame.Height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            for (int x = 0; x < frame.Width; ++x)
                row[x] = frame.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.Width) +
                                      static_cast<std::size_t>(x)];
        }
        // A larger interface shows every cursor pixel as a square of pixels.
        if (scale > 1) image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        out.Frames.emplace_back(QPixmap::fromImage(image), frame.HotX * std::max(scale, 1), frame.HotY * std::max(scale, 1));
    }
    out.Steps = cursor.Steps;
    return out;
}

int StepMilliseconds(const CursorStep& step) {
    return static_cast<int>((static_cast<long long>(step.Jiffies) * 1000 + 30) / 60);
}

CursorSet::CursorSet(QWidget* view) : view_(view) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CursorSet::Advance);
}

int CursorSet::Load(const std::string& programFolder) {
    int loaded = 0;
    for (int n = 1; n <= kCursorCount; ++n) {
        const auto file = LoadAnimatedCursor(programFolder + "/Cursors/" + std::to_string(n) + ".ani");
        if (file && !file->Frames.empty() && !file->Steps.empty()) {
            cursors_[static_cast<std::size_t>(n)] = ToQtCursor(*file, scale_);
            files_[static_cast<std::size_t>(n)] = std::move(*file);
            ++loaded;
        } else {
            cursors_[static_cast<std::size_t>(n)].reset();
            files_[static_cast<std::size_t>(n)].reset();
        }
    }
    return loaded;
}

void CursorSet::SetScale(int scale) {
    scale = scale == 2 ? 2 : 1;
    if (scale == scale_) return;
    scale_ = scale;
    for (std::size_t n = 0; n < files_.size(); ++n)
        if (files_[n]) cursors_[n] = ToQtCursor(*files_[n], scale_);
    timer_.stop();
    ShowStep();
}

bool CursorSet::Has(int number) const {
    return number >= 1 && number <= kCursorCount && cursors_[static_cast<std::size_t>(number)].has_value();
}

void CursorSet::SetCursor(int number) {
    if (number == current_) return;
    current_ = number;
    step_ = 0;
    timer_.stop();
    ShowStep();
}

void CursorSet::SetSuspended(bool suspended) {
    if (suspended == suspended_) return;
    suspended_ = suspended;
    timer_.stop();
    ShowStep();
}

void CursorSet::Advance() {
    if (!Has(current_)) return;
    const auto& cursor = *cursors_[static_cast<std::size_t>(current_)];
    step_ = (step_ + 1) % cursor.Steps.size();
    ShowStep();
}

void CursorSet::ShowStep() {
    if (!view_) return;
    if (suspended_ || !Has(current_)) {
        view_->unsetCursor();
        return;
    }
    const auto& cursor = *cursors_[static_cast<std::size_t>(current_)];
    const CursorStep& step = cursor.Steps[step_];
    const auto frame = static_cast<std::size_t>(step.Frame);
    if (frame < cursor.Frames.size()) view_->setCursor(cursor.Frames[frame]);
    // A cursor of one step stands still.
    if (cursor.Steps.size() > 1) timer_.start(StepMilliseconds(step));
}

}  // namespace tavrine::ui
