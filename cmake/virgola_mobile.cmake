# The plan's bits depend on how floating point is evaluated. The x87 unit
# (32-bit x86 without SSE2 arithmetic) keeps intermediate values in 80 bits,
# and the files then differ from every other build: such a compiler is
# refused here, at configure time, instead of writing other bytes.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([=[
#include <cfloat>
#if FLT_EVAL_METHOD != 0
#error excess precision
#endif
int main() { return 0; }
]=] SCENARIO_VIRGOLA_MOBILE_ESATTA)
if(NOT SCENARIO_VIRGOLA_MOBILE_ESATTA)
  message(FATAL_ERROR "The compiler evaluates floating point with excess precision (the x87 unit), and the plan "
                      "file would differ from every other build's. On 32-bit x86 compile with -msse2 -mfpmath=sse "
                      "(the windows-x86 toolchain does).")
endif()
