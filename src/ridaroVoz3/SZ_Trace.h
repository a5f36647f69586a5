// The sprite loader's trace lines in the debug log: an operation opens with
// "\_/ RIDAROVOZ \_/: ", reports its steps after " |  RIDAROVOZ  | : " and
// closes with "/^\ RIDAROVOZ /^\: ". Each is a literal prefix, joined to
// the text that follows it.
#pragma once

#define SZ_OPEN "\\_/ RIDAROVOZ \\_/: "
#define SZ_STEP " |  RIDAROVOZ  | : "
#define SZ_CLOSE "/^\\ RIDAROVOZ /^\\: "
