#pragma once

#include <QString>

// A one-line progress display on standard error, drawn only when that is a terminal.
class ProgressBar
{
public:
    explicit ProgressBar(int total);
    void update(int done, const QString &detail);
    // Clears the line so that later messages start at its beginning.
    void finish();

private:
    int m_total;
    bool m_enabled;
    bool m_drawn = false;
};
