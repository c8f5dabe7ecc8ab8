#pragma once

#include <string>
#include <vector>

#include "frontend/controls/command_button_state.h"

namespace nuvrel {

struct FacePaint {
    FaceImage Image;
    bool GradientInverted;

    friend bool operator==(const FacePaint& a, const FacePaint& b) {
        return a.Image == b.Image && a.GradientInverted == b.GradientInverted;
    }
};

// Records what the button asks of its window, with the gradient direction of each paint.
class RecordingHost final : public CommandButtonHost {
  public:
    explicit RecordingHost(const CommandButton& button) : button_(button) {}

    void PaintFace(FaceImage image) override {
        paints.push_back({image, button_.GradientInverted});
    }
    void RaiseClick() override { ++clicks; }
    void PropertyChanged(const char* key) override { changed.emplace_back(key); }

    std::vector<FaceImage> PaintedImages() const {
        std::vector<FaceImage> images;
        for (const FacePaint& paint : paints) {
            images.push_back(paint.Image);
        }
        return images;
    }
    void Clear() {
        paints.clear();
        clicks = 0;
        changed.clear();
    }

    std::vector<FacePaint> paints;
    int clicks = 0;
    std::vector<std::string> changed;

  private:
    const CommandButton& button_;
};

}  // namespace nuvrel
