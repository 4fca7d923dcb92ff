#!/usr/bin/env bash
# With the textconv set-up of the README, git shows a commit that changes one element of a design
# as that element's lines and nothing else. Usage: git_textconv.sh STEMLOOK_TEXT EXAMPLE_FOLDER
set -euo pipefail
text=$(realpath "$1")
example=$(realpath "$2")
command -v git >/dev/null || { echo "git is not installed: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CACHE_HOME="$work/cache" GIT_CONFIG_NOSYSTEM=1
cd "$work"
git init -q repo
cd repo
git config user.name Test
git config user.email test@example.com
git config diff.kinvault.textconv "'$text' --name design --select all"
echo 'control.ged diff=kinvault' >.gitattributes
mkdir family.kvd
cp "$example/control.ged" family.kvd/
git add . && git commit -qm "the example design"
sed -i 's/^1 @short@ PICTURE name surname$/1 @short@ PICTURE surname ", " name/' family.kvd/control.ged
git commit -qam "short names surname first"

changes() { grep -E '^[-+]' | grep -vE '^(---|\+\+\+) '; }
expected=$(printf -- '-\tname surname\n+\tsurname ", " name')
for show in "git diff HEAD~1 HEAD" "git show HEAD" "git log -p -1"; do
  got=$($show | changes)
  if [ "$got" != "$expected" ]; then
    echo "$show changed these lines:" >&2
    printf '%s\n' "$got" >&2
    exit 1
  fi
done
# Without textconv the raw definition lines would show: make sure the set-up was what worked.
raw=$(git diff --no-textconv HEAD~1 HEAD | changes)
[ "$(printf '%s\n' "$raw" | head -1)" = "-1 @short@ PICTURE name surname" ]
echo "git shows the changed element's lines alone"
