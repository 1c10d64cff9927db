# Writes OUT, a C++ source that defines NAME (in namespace NS) as the text of IN.
file(READ ${IN} text)
set(delimiter "QRT_EMBED")
file(WRITE ${OUT}.tmp "// Generated from ${IN}; do not edit.\n#include \"${HEADER}\"\nnamespace ${NS} {\nconst char* const ${NAME} = R\"${delimiter}(${text})${delimiter}\";\n}\n")
file(RENAME ${OUT}.tmp ${OUT})
