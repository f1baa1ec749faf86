#include "kaRecordingMessageBoxes.h"

#include "kaMessageBox.h"

namespace {
kaRecordingMessageBoxes* sActive = nullptr;
}

kaRecordingMessageBoxes::kaRecordingMessageBoxes(int answer)
    : mAnswer(answer), mPrevious(SetMessageBoxHook(Record)), mPreviousActive(sActive) {
    sActive = this;
}

kaRecordingMessageBoxes::~kaRecordingMessageBoxes() {
    SetMessageBoxHook(mPrevious);
    sActive = mPreviousActive;
}

int kaRecordingMessageBoxes::Record(const char* caption, const char* text, unsigned style) {
    sActive->mBoxes.push_back({caption ? caption : "", text ? text : "", style});
    return sActive->mAnswer;
}
