#!/bin/sh
# The strip a package build installs with: besides the symbols, the compilers' version notes
# (.comment), which no program reads.
exec strip --remove-section=.comment "$@"
