// Xlib reports protocol errors to one handler for the whole process, and its
// default handler ends the process. The host's window is not ours: its id may
// be bogus, and many hosts destroy it (and our child with it) before they
// send effEditClose. So every batch of our Xlib calls runs inside a trap:
// errors on our own connection are counted, errors on any other connection
// (the host's) go to the handler that was installed before, and that handler
// is back in place as soon as the batch ends. Nothing of ours stays installed.
#pragma once

#include <X11/Xlib.h>

class X11ErrorTrap {
public:
    // display must be our own connection, used by no other thread.
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether an error on our connection has been read since the trap was set.
    // Errors come back asynchronously: XSync first to hear about the requests
    // just made, or a later trap hears about them.
    bool caughtError() const;

private:
    XErrorHandler previousHandler;
};
