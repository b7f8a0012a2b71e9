# Sourced by the other scripts: quiet Wine, and no prompts to install Mono or Gecko.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
