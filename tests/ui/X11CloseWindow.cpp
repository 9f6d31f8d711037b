// Starts a program on the current X display, waits for its main window, asks the window to
// close as a window manager would (WM_DELETE_WINDOW) and returns the program's exit status.
// 3: no window appeared; 4: the program did not end after the close request.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool titled(Display* display, Window window, const char* prefix, std::string& title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    title = name;
    XFree(name);
    return title.rfind(prefix, 0) == 0;
}

Window findWindow(Display* display, Window parent, const char* prefix, std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (titled(display, children[i], prefix, title) &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        else
            found = findWindow(display, children[i], prefix, title);
    }
    if (children)
        XFree(children);
    return found;
}

bool waitForExit(pid_t child, int seconds, int& status) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (waitpid(child, &status, WNOHANG) == child)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE-PREFIX PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const char* prefix = argv[1];
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        std::perror("execv");
        _exit(127);
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        kill(child, SIGKILL);
        return 2;
    }
    std::string title;
    Window window = 0;
    int status = 0;
    for (int i = 0; i < 600 && !window; ++i) {
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before showing its window\n");
            XCloseDisplay(display);
            return 3;
        }
        window = findWindow(display, DefaultRootWindow(display), prefix, title);
        if (!window)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!window) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        XCloseDisplay(display);
        return 3;
    }
    std::printf("window: %s\n", title.c_str());
    std::fflush(stdout);
    // Let the program finish its first paint before it is asked to go.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    if (!waitForExit(child, 20, status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        XCloseDisplay(display);
        return 4;
    }
    XCloseDisplay(display);
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    std::fprintf(stderr, "the program died of signal %d\n", WTERMSIG(status));
    return 5;
}
