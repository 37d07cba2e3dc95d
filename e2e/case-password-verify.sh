#!/bin/bash
# Windows 95 with a screen-saver password: a key press asks the verifier; a refusal keeps the saver
# running and animating; a key within 200 ms of the answer asks nothing; an acceptance ends it with 0.
source "$(dirname "$0")/password-lib.sh"
begin_password_case password-verify

set_registry "$WINDOWS_95" "$(password_setting dword:00000001)"
install_fixture password.cpl windows/system32/PASSWORD.CPL
answers refuse-then-key refuse-then-late-key accept

spawn_saver saver 'C:\saver\lomlom.scr /s'
wait_saver_window saver
window=$(value "$CASE_DIR/saver.windows" window1.handle)
expect "verifier loaded before any input" "c:\\windows\\system32\\password.cpl" "$(loaded_modules)"
expect "verifier not asked before any input" 0 "$(log_count verifier.log)"

xdo key space
wait_until 10000 verifier_asked 1 || abort "the key press did not ask the verifier"
expect "first question: owner is the saver window" "$window" "$(log_field verifier.log 1 owner)"
expect "first answer" refuse-then-key "$(log_field verifier.log 1 answer)"
# The verifier pressed a key as it answered: that close request is dropped without asking.
expect "still running after the refusal" "still running" "$(saver_exit saver 1000)"
expect "the key within 200 ms of the answer asked nothing" 1 "$(log_count verifier.log)"

# The same picture lasts at most 16 ticks (1.8 s: a held last frame, or the pause), so screenshots
# over 3 s differ when the saver animates.
screenshot refused-first
animated=0
for ((shot = 1; shot <= 6 && !animated; shot++)); do
  sleep 0.5
  screenshot refused-later
  cmp -s "$CASE_DIR/refused-first.xwd" "$CASE_DIR/refused-later.xwd" || animated=1
done
if ((animated)); then
  echo "ok:   the saver animates after the refusal (a screenshot within 3 s differs)"
else
  fail "the saver does not animate after the refusal: screenshots over 3 s are all the same"
fi
expect "still running after those screenshots" "still running" "$(saver_exit saver 0)"

# The same key from the verifier half a second after its answer does ask, so the one above was
# delivered and dropped.
xdo key space
expect "exit code after the accepted password" 0 "$(saver_exit saver 10000)"
expect "questions asked" 3 "$(log_count verifier.log)"
expect "second answer" refuse-then-late-key "$(log_field verifier.log 2 answer)"
expect "third answer, after the verifier's late key" accept "$(log_field verifier.log 3 answer)"
