// The X server going away under the game (a logout, a crashed server). Kept apart from the rest
// of start-up because the X headers' names clash with the game's.
#include <X11/Xlib.h>
#include <unistd.h>

#include "frame/frame.h"

namespace {
// Xlib's own handler calls exit(), whose clean-up then waits on the library's screen lock
// or touches the dead connection: the game could hang or crash instead of ending. Every
// record of a recording is already written, so nothing is lost by ending at once.
int end_without_display(Display *)
{
    static const char message[] = "The display went away: the game ends.\n";
    ssize_t written = write(STDOUT_FILENO, message, sizeof message - 1);
    (void)written;
    _exit(1);
}
}  // namespace

void install_display_lost_handler()
{
    XSetIOErrorHandler(end_without_display);
}
