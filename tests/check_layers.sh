#!/usr/bin/env bash
# Checks the engine's layering: no Qt or SDL anywhere in the engine folders
# (subfolders included), and every #include of a project header points to the
# same layer or one below it, whether it names the header from the source root
# ("sim/grid.h") or climbs to it from the including file ("../view/menu.h").
# platform/qt and platform/sdl are the desktop's side and are not checked.
set -u
src=${1:?usage: check_layers.sh SRC_DIR}
src=$(cd "$src" && pwd -P)
layers=(data state sim editor view game)
status=0

rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  [ "$1" = platform ] && { echo -1; return; }  # the interfaces: usable from any layer
  echo 99
}

# The folder under the source root that an #include in `file` reaches: the
# including file's own folder first (as the compiler looks), then the root.
# Prints "outside" for a header outside the source root, nothing for a system
# or toolkit header.
reached() {
  local file=$1 inc=$2 dir path
  dir=$(dirname "$file")
  if [ -e "$dir/$inc" ]; then
    path=$(realpath -m "$dir/$inc")
  elif [[ "$inc" == ../* || "$inc" == ./* ]]; then
    path=$(realpath -m "$dir/$inc")
  elif [ -e "$src/$inc" ] || [[ "$inc" == */* && $(rank "${inc%%/*}") != 99 ]]; then
    path=$src/$inc
  else
    return
  fi
  case "$path" in
    "$src"/*) path=${path#"$src"/}; echo "${path%%/*}" ;;
    *) echo outside ;;
  esac
}

for layer in "${layers[@]}" platform; do
  dir="$src/$layer"
  [ -d "$dir" ] || continue
  mine=$(rank "$layer")
  while IFS= read -r file; do
    while IFS= read -r line; do
      inc=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$line")
      case "$inc" in
        Q*|Qt*/*|SDL*|SDL2/*)
          echo "$file: toolkit header in the engine: $inc"; status=1; continue ;;
      esac
      [[ "$line" =~ \< ]] && [[ "$inc" != */* ]] && continue  # <vector> and the like
      top=$(reached "$file" "$inc")
      [ -z "$top" ] && continue
      if [ "$top" = outside ]; then
        echo "$file: reaches outside the engine: $inc"; status=1; continue
      fi
      other=$(rank "$top")
      [ "$other" = 99 ] && { echo "$file: reaches into $top/, which is not a layer of the engine: $inc"; status=1; continue; }
      if [ "$layer" = platform ]; then
        [ "$top" = platform ] && continue
        echo "$file: the platform interfaces include the engine: $inc"; status=1; continue
      fi
      if [ "$other" -gt "$mine" ]; then
        echo "$file: $layer/ reaches up into $top/: $inc"; status=1
      fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done < <(find "$dir" \( -path "$src/platform/qt" -o -path "$src/platform/sdl" \) -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print)
done
[ $status = 0 ] && echo "engine layering: ok"
exit $status
