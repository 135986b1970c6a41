// The saver window's events as the form handles them, and the adapter that passes them on to a
// form object.
#pragma once

#include "saver/saver_view.h"

namespace orvelle::win {

// The events the window passes on (the saver form's handlers).
class SaverEvents {
  public:
    virtual ~SaverEvents() = default;
    virtual void Form_Load() = 0;
    virtual void OnTimer(SaverTimer timer) = 0;
    virtual void PictureDecoded(const DecodedPicture& picture) = 0;
    virtual void FoldersScanned(const ScanNews& news) = 0;
    virtual void Form_KeyDown(SaverKey key, bool repeated) = 0;
    virtual void Form_MouseDown() = 0;
    // The monitors changed (ignored unless wanted).
    virtual void DisplayChanged() {}
    virtual void Form_MouseMove(float xTwips, float yTwips) = 0;
    virtual void DisplayingPicture_KeyDown(SaverKey key, bool repeated) = 0;
    virtual void DisplayingPicture_MouseMove(float xPixels, float yPixels) = 0;
};

// Passes the events on to a form object with those handlers (SaverForm).
template <typename Form>
class FormEvents final : public SaverEvents {
  public:
    explicit FormEvents(Form& form) : form_(form) {}
    void Form_Load() override { form_.Form_Load(); }
    void OnTimer(SaverTimer timer) override { form_.OnTimer(timer); }
    void PictureDecoded(const DecodedPicture& picture) override { form_.PictureDecoded(picture); }
    void FoldersScanned(const ScanNews& news) override { form_.FoldersScanned(news); }
    void Form_KeyDown(SaverKey key, bool repeated) override { form_.Form_KeyDown(key, repeated); }
    void Form_MouseDown() override { form_.Form_MouseDown(); }
    void DisplayChanged() override { form_.DisplayChanged(); }
    void Form_MouseMove(float x, float y) override { form_.Form_MouseMove(x, y); }
    void DisplayingPicture_KeyDown(SaverKey key, bool repeated) override {
        form_.DisplayingPicture_KeyDown(key, repeated);
    }
    void DisplayingPicture_MouseMove(float x, float y) override {
        form_.DisplayingPicture_MouseMove(x, y);
    }

  private:
    Form& form_;
};

}  // namespace orvelle::win
