#pragma once

#include <string>
#include <vector>

// Records every message box the code under test shows, instead of showing it,
// and answers each with a preset button.  One recorder is active at a time.
class kaRecordingMessageBoxes {
public:
    struct Box {
        std::string caption;
        std::string text;
        unsigned style;
    };

    explicit kaRecordingMessageBoxes(int answer = 1);
    ~kaRecordingMessageBoxes();
    kaRecordingMessageBoxes(const kaRecordingMessageBoxes&) = delete;
    kaRecordingMessageBoxes& operator=(const kaRecordingMessageBoxes&) = delete;

    const std::vector<Box>& boxes() const { return mBoxes; }
    void setAnswer(int answer) { mAnswer = answer; }

private:
    static int Record(const char* caption, const char* text, unsigned style);

    std::vector<Box> mBoxes;
    int mAnswer;
    int (*mPrevious)(const char*, const char*, unsigned);
    kaRecordingMessageBoxes* mPreviousActive;
};
