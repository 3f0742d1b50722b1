#!/usr/bin/env bash
# The generator scripts/configure-build (its path the one argument) picks for a tree at each
# path: Ninja but where Ninja misreads the path and would rebuild everything on every run.
set -u
fail=0
while IFS=$'\t' read -r path want; do
  got=$("$1" --print-generator "$path" 2>/dev/null) || got=refused
  [ "$got" = "$want" ] || { echo "for '$path': '$got', not '$want'"; fail=1; }
done <<'EOF'
/home/ann/lunerra	Ninja
/home/ann/my games/lunerra	Ninja
/home/ann/[z]/lunerra	Ninja
/home/ann/$x/lunerra	Ninja
/home/ann/(/lunerra	Ninja
/home/ann/!/lunerra	Ninja
/home/ann/Bob's Games/lunerra	Unix Makefiles
/home/ann/a&b/lunerra	Unix Makefiles
/home/ann/a*b/lunerra	Unix Makefiles
/home/ann/a^b/lunerra	Unix Makefiles
/home/ann/a;b/lunerra	refused
/home/ann/#/lunerra	refused
EOF
exit "$fail"
