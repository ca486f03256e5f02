# The portable core and its tests as a 32-bit Linux program whose doubles go
# through the x87 unit, as they do in the i686 Windows product, run through
# qemu-i386 (which emulates the x87's 80-bit registers). This checks on any
# machine, also one whose kernel runs no 32-bit programs, that the core's
# exact results do not depend on the x87's excess precision.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=i686 -mfpmath=387")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=i686 -mfpmath=387")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
