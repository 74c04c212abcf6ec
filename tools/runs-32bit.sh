#!/usr/bin/env bash
# Exits 0 when this machine executes 32-bit x86 Linux programs, which Debian's 32-bit Wine is; else 1.
# Found out by running one: three instructions that exit at once, with no library to load, so the
# answer does not depend on anything 32-bit being installed. Needs the host's binutils (as, ld).
set -u
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$tmp/exit.s"
as --32 -o "$tmp/exit.o" "$tmp/exit.s" 2>/dev/null && ld -m elf_i386 -o "$tmp/exit" "$tmp/exit.o" 2>/dev/null || exit 1
"$tmp/exit" 2>/dev/null
