// UTF-8 on a console: pakiet writes UTF-8 bytes; a Windows console shows them as its own code
// page (852 or 1250 in Poland) unless told otherwise. While the object lives, a console on
// standard output or error takes UTF-8; redirected output is left as bytes. POSIX terminals
// already take UTF-8: nothing to do there.
#pragma once

namespace platform {

class Utf8ConsoleOutput {
public:
    Utf8ConsoleOutput();
    ~Utf8ConsoleOutput();  // puts the console's code page back
    Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
    Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

private:
    unsigned previousCodePage_ = 0;  // 0: nothing changed
};

}  // namespace platform
