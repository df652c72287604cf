// The word frequency lists of data/frequency, linked in unchanged: the table needs no file
// found at run time, and every program and test that links the engine has it.

#define GRYVEL_STRINGIFY(x) #x
#define GRYVEL_PATH(x) GRYVEL_STRINGIFY(x)

__asm__(
    "  .pushsection .rodata\n"
    "  .global gryvel_commonness_en\n"
    "  .global gryvel_commonness_en_end\n"
    "  .global gryvel_commonness_ru\n"
    "  .global gryvel_commonness_ru_end\n"
    "gryvel_commonness_en:\n"
    "  .incbin \"" GRYVEL_PATH(GRYVEL_COMMONNESS_EN) "\"\n"
    "gryvel_commonness_en_end:\n"
    "gryvel_commonness_ru:\n"
    "  .incbin \"" GRYVEL_PATH(GRYVEL_COMMONNESS_RU) "\"\n"
    "gryvel_commonness_ru_end:\n"
    "  .popsection\n");
