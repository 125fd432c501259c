#!/usr/bin/env bash
# The processing's results are the same bits on every processor only while
# each multiply and each add is rounded on its own: this fails when an aarch64
# binary holds a fused multiply-add, scalar (fmadd, fmsub, fnmadd, fnmsub) or
# vector (fmla, fmls), which -ffp-contract=off keeps the compiler from making.
#   check-no-fused-multiply-add.sh BINARY...
set -euo pipefail
objdump=aarch64-linux-gnu-objdump
status=0
for binary in "$@"; do
  if [ ! -f "${binary}" ]; then
    echo "check-no-fused-multiply-add: ${binary} is missing" >&2
    exit 1
  fi
  instructions=$("${objdump}" -d --no-show-raw-insn "${binary}" | awk -F'\t' 'NF >= 2 { print $2 }')
  if [ -z "${instructions}" ]; then
    echo "check-no-fused-multiply-add: no code found in ${binary}" >&2
    exit 1
  fi
  fused=$(grep -cE '^(fmadd|fmsub|fnmadd|fnmsub|fmla|fmls)( |$)' <<<"${instructions}" || true)
  total=$(wc -l <<<"${instructions}")
  echo "${binary}: ${fused} fused multiply-adds in ${total} instructions"
  if [ "${fused}" -ne 0 ]; then
    "${objdump}" -d --no-show-raw-insn -C "${binary}" | grep -E $'\t(fmadd|fmsub|fnmadd|fnmsub|fmla|fmls)(\t|$)' | head -5
    status=1
  fi
done
exit "${status}"
