#pragma once

#include <QDateTime>
#include <QString>

namespace rt {

// Everything the programs take from the world outside the process goes through one host:
// message boxes, ending the program, the program's folder, the clock and the random seed.
// The form runtime installs a host with real windows; tests install one that answers
// message boxes from a script, records End, and fixes the folder, the date and the seed.
class Host {
public:
    virtual ~Host();

    // Shows a message box; buttons 0 is OK, 4 is Yes and No. Returns 1 (OK), 6 (Yes) or 7 (No).
    virtual int msgBox(const QString& prompt, int buttons, const QString& title);
    // Ends the program at once.
    virtual void end();
    // The folder the program works in (workingFolder), without a trailing separator.
    virtual QString appPath();
    virtual QDateTime now();
    // The seed that Randomize takes; by default it comes from the clock.
    virtual quint64 randomSeed();
};

Host& host();
// Installs a host (not owned) and returns the one it replaces; nullptr restores the default.
Host* setHost(Host* host);

} // namespace rt
