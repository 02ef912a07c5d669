#!/usr/bin/env bash
# Checks the engine's layering: no Qt or SDL anywhere in the engine folders, and
# every #include of a project header points to the same folder or one below it.
set -u
src=${1:?usage: check_layers.sh SRC_DIR}
layers=(data state sim editor view game)
status=0

rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  [ "$1" = platform ] && { echo 0; return; }  # the interfaces: usable from any layer
  echo 99
}

for layer in "${layers[@]}" platform; do
  dir="$src/$layer"
  [ -d "$dir" ] || continue
  mine=$(rank "$layer")
  [ "$layer" = platform ] && mine=99
  while IFS= read -r file; do
    while IFS= read -r line; do
      inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
      case "$inc" in
        Q*|Qt*/*|SDL*|SDL2/*)
          echo "$file: toolkit header in the engine: $inc"; status=1; continue ;;
      esac
      top=${inc%%/*}
      [ "$top" = "$inc" ] && continue
      other=$(rank "$top")
      [ "$other" = 99 ] && continue
      if [ "$layer" = platform ]; then
        [ "$top" = platform ] && continue
        echo "$file: the platform interfaces include the engine: $inc"; status=1; continue
      fi
      if [ "$other" -gt "$mine" ]; then
        echo "$file: $layer/ reaches up into $top/: $inc"; status=1
      fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done < <(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \))
done
[ $status = 0 ] && echo "engine layering: ok"
exit $status
