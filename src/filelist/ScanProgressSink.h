#pragma once
/**
 * Where the file list shows the progress of its long operations: the hosting window's status
 * text ("Loading Files...", "Ready") and progress bar. The main window implements it with its
 * status label and progress bar; lists without one show nothing.
 */
#include <QString>
#include <cstdint>

namespace filelist {

class ScanProgressSink {
public:
    virtual ~ScanProgressSink() = default;

    virtual int32_t progressMax() const = 0;
    virtual void setProgressMax(int32_t max) = 0;
    virtual int32_t progressValue() const = 0;
    virtual void setProgressValue(int32_t value) = 0;
    virtual void setStatusText(const QString &text) = 0;
    /** True while the hosting window is closing; the list then leaves status and progress
     *  alone. */
    virtual bool isUnloading() const { return false; }
};

} // namespace filelist
